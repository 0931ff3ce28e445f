#include "foundation/QtScheduler.h"

#include <QTimer>

#include <chrono>
#include <cmath>

namespace foundation {

QtScheduler::QtScheduler() = default;

QtScheduler::~QtScheduler() {
  for (auto& [token, timer] : m_timers) delete timer;
}

TimerToken QtScheduler::schedule(double seconds, std::function<void()> fire) {
  const TimerToken token = m_next++;
  auto* timer = new QTimer(&m_context);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  const double ms = std::isfinite(seconds) ? std::max(0.0, seconds * 1000.0) : 0.0;
  timer->setInterval(static_cast<int>(std::min(ms, 2147483647.0)));
  QObject::connect(timer, &QTimer::timeout, &m_context, [this, token, fire = std::move(fire)]() {
    auto it = m_timers.find(token);
    if (it == m_timers.end()) return;
    it->second->deleteLater();
    m_timers.erase(it);
    fire();
  });
  m_timers.emplace(token, timer);
  timer->start();
  return token;
}

void QtScheduler::cancel(TimerToken token) {
  auto it = m_timers.find(token);
  if (it == m_timers.end()) return;
  it->second->stop();
  it->second->deleteLater();
  m_timers.erase(it);
}

QDateTime QtScheduler::now() const { return QDateTime::currentDateTimeUtc(); }

QTimeZone QtScheduler::timeZone() const { return QTimeZone::systemTimeZone(); }

qint64 QtScheduler::monotonicMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

namespace {
Scheduler* g_installed = nullptr;
}

Scheduler& scheduler() {
  if (g_installed) return *g_installed;
  // Never destroyed: timers held by other process-lifetime objects (the REST layer's queues) are
  // still invalidated during exit, after function-local statics constructed later are gone.
  static QtScheduler* qtScheduler = new QtScheduler;
  return *qtScheduler;
}

void setScheduler(Scheduler* s) { g_installed = s; }

}  // namespace foundation
