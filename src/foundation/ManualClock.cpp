#include "foundation/ManualClock.h"

#include <algorithm>
#include <cmath>

namespace foundation {

namespace {
qint64 toMicroseconds(double seconds) {
  if (!std::isfinite(seconds) || seconds <= 0) return 0;
  return static_cast<qint64>(std::llround(seconds * 1e6));
}
}  // namespace

ManualClock::ManualClock(QDateTime start, QTimeZone zone)
    : m_nowUs(start.toMSecsSinceEpoch() * 1000), m_zone(std::move(zone)) {}

QDateTime ManualClock::now() const { return QDateTime::fromMSecsSinceEpoch(m_nowUs / 1000, QTimeZone::utc()); }

TimerToken ManualClock::schedule(double seconds, std::function<void()> fire) {
  const TimerToken token = m_next++;
  const qint64 due = m_monotonicUs + toMicroseconds(seconds);
  const Key key{due, token};
  m_queue.emplace(key, std::move(fire));
  m_keys.emplace(token, key);
  return token;
}

void ManualClock::cancel(TimerToken token) {
  auto it = m_keys.find(token);
  if (it == m_keys.end()) return;
  m_queue.erase(it->second);
  m_keys.erase(it);
}

int ManualClock::advanceBy(double seconds) {
  const qint64 target = m_monotonicUs + toMicroseconds(seconds);
  int fired = 0;
  while (!m_queue.empty() && m_queue.begin()->first.first <= target) {
    auto node = m_queue.extract(m_queue.begin());
    m_keys.erase(node.key().second);
    const qint64 due = node.key().first;
    if (due > m_monotonicUs) {
      m_nowUs += due - m_monotonicUs;
      m_monotonicUs = due;
    }
    node.mapped()();
    ++fired;
  }
  m_nowUs += target - m_monotonicUs;
  m_monotonicUs = target;
  return fired;
}

double ManualClock::secondsToNext() const {
  if (m_queue.empty()) return -1;
  return double(m_queue.begin()->first.first - m_monotonicUs) / 1e6;
}

}  // namespace foundation
