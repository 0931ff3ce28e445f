#pragma once
// Time and timers behind one interface: Qt's event loop in the app, a manual clock in tests.
// Every wait of the app (run-loop timers, retries, polls) and every reading of "now" goes
// through the installed scheduler, so a test can fix the date and step time without sleeping.
#include <QDateTime>
#include <QTimeZone>

#include <cstdint>
#include <functional>
#include <memory>

namespace foundation {

using TimerToken = std::uint64_t;

class Scheduler {
 public:
  virtual ~Scheduler() = default;

  // Calls `fire` once, `seconds` from now (0 or less: on the next turn of the loop).
  virtual TimerToken schedule(double seconds, std::function<void()> fire) = 0;
  // Forgets a scheduled call; unknown or already fired tokens are ignored.
  virtual void cancel(TimerToken token) = 0;

  // The wall clock: dates shown and stored. It may jump (set by hand, synchronised).
  virtual QDateTime now() const = 0;
  virtual QTimeZone timeZone() const = 0;
  // Milliseconds from an arbitrary start that only move forward, at the pace of scheduled calls:
  // what every duration (timeouts, deadlines) is measured on.
  virtual qint64 monotonicMs() const = 0;

  // "Now" in the scheduler's time zone.
  QDateTime localNow() const { return now().toTimeZone(timeZone()); }

  // Expires when the scheduler is destroyed, so a timer that outlives its scheduler (a test's
  // manual clock) never calls into freed memory.
  std::weak_ptr<const void> lifetime() const { return m_lifetime; }

 private:
  std::shared_ptr<const void> m_lifetime = std::make_shared<int>(0);
};

// The scheduler every timer and clock reading uses. Defaults to the Qt scheduler.
Scheduler& scheduler();
// Installs `s` (not owned) as the scheduler; nullptr restores the Qt scheduler.
void setScheduler(Scheduler* s);

}  // namespace foundation
