#pragma once
// Fails transfers that make no progress for their timeout. One timer per thread serves every
// transfer of that thread, armed for the earliest possible expiry, so that starting, advancing
// and ending a transfer costs no timer of its own.
#include "foundation/Timer.h"

#include <QtGlobal>

#include <functional>
#include <unordered_map>

namespace rest {

class TransferWatchdog {
 public:
  using Id = quint64;

  static TransferWatchdog& forThisThread();

  // Starts watching; `expired` runs once when `timeoutSeconds` pass without touch().
  Id watch(double timeoutSeconds, std::function<void()> expired);
  // Records progress: the timeout counts from now again.
  void touch(Id id);
  void unwatch(Id id);
  std::size_t count() const { return m_entries.size(); }

 private:
  struct Entry {
    double timeout = 0;
    qint64 lastActivityMs = 0;
    std::function<void()> expired;
  };
  void arm(qint64 dueMs);
  void check();

  std::unordered_map<Id, Entry> m_entries;
  Id m_next = 1;
  foundation::Timer m_timer;
  qint64 m_armedForMs = 0;  // meaningful while the timer is valid
};

}  // namespace rest
