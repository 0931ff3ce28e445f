#pragma once
// A scheduler whose time moves only when told: advanceBy() fires every due call in time order
// (calls scheduled by a firing call included, when they fall due within the step). setNow() sets
// the wall clock alone, as a user or a time service would: scheduled calls and the monotonic
// reading do not move with it.
#include "foundation/Clock.h"

#include <map>
#include <utility>

namespace foundation {

class ManualClock final : public Scheduler {
 public:
  explicit ManualClock(QDateTime start = QDateTime(QDate(2013, 3, 3), QTime(12, 0), QTimeZone::utc()),
                       QTimeZone zone = QTimeZone::utc());

  TimerToken schedule(double seconds, std::function<void()> fire) override;
  void cancel(TimerToken token) override;
  QDateTime now() const override;
  QTimeZone timeZone() const override { return m_zone; }
  qint64 monotonicMs() const override { return m_monotonicUs / 1000; }

  void setNow(const QDateTime& now) { m_nowUs = now.toMSecsSinceEpoch() * 1000; }
  void setTimeZone(const QTimeZone& zone) { m_zone = zone; }

  // Moves time forward by `seconds`, firing due calls in order; returns how many fired.
  int advanceBy(double seconds);
  // Fires what is due now (calls scheduled with 0 s) without moving time.
  int runDue() { return advanceBy(0.0); }
  std::size_t pendingCount() const { return m_queue.size(); }
  // Seconds until the next scheduled call, or a negative value when none is scheduled.
  double secondsToNext() const;

 private:
  // Ordered by due time, then by the order of scheduling.
  using Key = std::pair<qint64, TimerToken>;
  qint64 m_nowUs = 0;        // wall clock, microseconds since the epoch
  qint64 m_monotonicUs = 0;  // scheduled calls fall due on this one
  QTimeZone m_zone;
  std::map<Key, std::function<void()>> m_queue;
  std::map<TimerToken, Key> m_keys;
  TimerToken m_next = 1;
};

}  // namespace foundation
