#pragma once
#include "foundation/Clock.h"

#include <QObject>

#include <unordered_map>

class QTimer;

namespace foundation {

// Production scheduler: one single-shot QTimer per call, on the thread that schedules it.
class QtScheduler final : public Scheduler {
 public:
  QtScheduler();
  ~QtScheduler() override;

  TimerToken schedule(double seconds, std::function<void()> fire) override;
  void cancel(TimerToken token) override;
  QDateTime now() const override;
  QTimeZone timeZone() const override;
  qint64 monotonicMs() const override;

 private:
  QObject m_context;
  std::unordered_map<TimerToken, QTimer*> m_timers;
  TimerToken m_next = 1;
};

}  // namespace foundation
