#pragma once
// Fails transfers that make no progress for their timeout, or that are still running at their
// deadline (a server dripping a byte now and then would otherwise hold a slot of the queue for
// ever). One timer per thread serves every transfer of that thread, armed for the earliest
// possible expiry, so that starting, advancing and ending a transfer costs no timer of its own.
// Durations are measured on the scheduler's monotonic clock: setting the wall clock moves no
// expiry.
#include "foundation/Timer.h"

#include <QtGlobal>

#include <functional>
#include <unordered_map>

namespace rest {

class TransferWatchdog {
 public:
  using Id = quint64;
  enum class Expiry { Inactivity, Deadline };

  static TransferWatchdog& forThisThread();

  // Starts watching; `expired` runs once when `timeoutSeconds` pass without touch(), or when
  // `deadlineSeconds` have passed since now. A value of 0 or less switches that bound off.
  Id watch(double timeoutSeconds, double deadlineSeconds, std::function<void(Expiry)> expired);
  // Records progress: the timeout counts from now again (the deadline stays).
  void touch(Id id);
  void unwatch(Id id);
  std::size_t count() const { return m_entries.size(); }

 private:
  struct Entry {
    double timeout = 0;
    qint64 lastActivityMs = 0;
    qint64 deadlineMs = 0;  // 0: none
    std::function<void(Expiry)> expired;
  };
  static qint64 dueOf(const Entry& entry, Expiry* why = nullptr);
  void arm(qint64 dueMs);
  void check();

  std::unordered_map<Id, Entry> m_entries;
  Id m_next = 1;
  foundation::Timer m_timer;
  qint64 m_armedForMs = 0;  // meaningful while the timer is valid
};

}  // namespace rest
