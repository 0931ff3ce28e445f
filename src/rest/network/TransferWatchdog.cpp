#include "rest/network/TransferWatchdog.h"

#include <cmath>
#include <limits>
#include <vector>

namespace rest {

namespace {
constexpr qint64 kNever = std::numeric_limits<qint64>::max();
qint64 nowMs() { return foundation::scheduler().monotonicMs(); }
qint64 milliseconds(double seconds) { return qint64(std::ceil(seconds * 1000.0)); }
}  // namespace

TransferWatchdog& TransferWatchdog::forThisThread() {
  thread_local TransferWatchdog watchdog;
  return watchdog;
}

qint64 TransferWatchdog::dueOf(const Entry& entry, Expiry* why) {
  const qint64 inactivity = entry.timeout > 0 ? entry.lastActivityMs + milliseconds(entry.timeout) : kNever;
  const qint64 deadline = entry.deadlineMs > 0 ? entry.deadlineMs : kNever;
  if (why) *why = deadline <= inactivity ? Expiry::Deadline : Expiry::Inactivity;
  return std::min(inactivity, deadline);
}

TransferWatchdog::Id TransferWatchdog::watch(double timeoutSeconds, double deadlineSeconds,
                                             std::function<void(Expiry)> expired) {
  const Id id = m_next++;
  const qint64 now = nowMs();
  Entry entry{timeoutSeconds, now, deadlineSeconds > 0 ? now + std::max<qint64>(1, milliseconds(deadlineSeconds)) : 0,
              std::move(expired)};
  const qint64 due = dueOf(entry);
  m_entries.emplace(id, std::move(entry));
  if (due != kNever && (!m_timer.isValid() || due < m_armedForMs)) arm(due);
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
  std::vector<std::pair<Id, Expiry>> expired;
  qint64 next = kNever;
  for (const auto& [id, entry] : m_entries) {
    Expiry why;
    const qint64 due = dueOf(entry, &why);
    if (due <= now) expired.emplace_back(id, why);
    else next = std::min(next, due);
  }
  if (next != kNever) arm(next);
  // Callbacks may watch or unwatch; each expired entry is taken out before its call.
  for (const auto& [id, why] : expired) {
    auto it = m_entries.find(id);
    if (it == m_entries.end()) continue;
    auto callback = std::move(it->second.expired);
    m_entries.erase(it);
    if (m_entries.empty()) m_timer.invalidate();
    callback(why);
  }
}

}  // namespace rest
