#include "rest/network/TransferWatchdog.h"

#include <cmath>
#include <limits>
#include <vector>

namespace rest {

namespace {
qint64 nowMs() { return foundation::scheduler().now().toMSecsSinceEpoch(); }
qint64 deadlineOf(qint64 lastActivityMs, double timeout) { return lastActivityMs + qint64(std::ceil(timeout * 1000.0)); }
}  // namespace

TransferWatchdog& TransferWatchdog::forThisThread() {
  thread_local TransferWatchdog watchdog;
  return watchdog;
}

TransferWatchdog::Id TransferWatchdog::watch(double timeoutSeconds, std::function<void()> expired) {
  const Id id = m_next++;
  const qint64 now = nowMs();
  m_entries.emplace(id, Entry{timeoutSeconds, now, std::move(expired)});
  const qint64 due = deadlineOf(now, timeoutSeconds);
  if (!m_timer.isValid() || due < m_armedForMs) arm(due);
  return id;
}

void TransferWatchdog::touch(Id id) {
  if (auto it = m_entries.find(id); it != m_entries.end()) it->second.lastActivityMs = nowMs();
}

void TransferWatchdog::unwatch(Id id) {
  m_entries.erase(id);
  // Nothing left to watch: no timer may outlive the scheduler it was armed on.
  if (m_entries.empty()) m_timer.invalidate();
}

void TransferWatchdog::arm(qint64 dueMs) {
  m_armedForMs = dueMs;
  const double seconds = std::max<qint64>(0, dueMs - nowMs()) / 1000.0;
  m_timer = foundation::Timer::singleShot(seconds, [this]() { check(); });
}

void TransferWatchdog::check() {
  const qint64 now = nowMs();
  std::vector<Id> expired;
  qint64 next = std::numeric_limits<qint64>::max();
  for (const auto& [id, entry] : m_entries) {
    const qint64 due = deadlineOf(entry.lastActivityMs, entry.timeout);
    if (due <= now) expired.push_back(id);
    else next = std::min(next, due);
  }
  if (next != std::numeric_limits<qint64>::max()) arm(next);
  // Callbacks may watch or unwatch; each expired entry is taken out before its call.
  for (Id id : expired) {
    auto it = m_entries.find(id);
    if (it == m_entries.end()) continue;
    auto callback = std::move(it->second.expired);
    m_entries.erase(it);
    if (m_entries.empty()) m_timer.invalidate();
    callback();
  }
}

}  // namespace rest
