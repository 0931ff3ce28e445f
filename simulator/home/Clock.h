#pragma once
// Wall-clock time of the simulated service. Tests install a clock they step by hand, so session
// expiry, pulse devices and the weather figures can be checked without waiting.
#include <QDateTime>

#include <atomic>

namespace simhome {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual qint64 nowMs() const = 0;  // milliseconds since 1970-01-01 UTC
};

class SystemClock final : public Clock {
 public:
  qint64 nowMs() const override { return QDateTime::currentMSecsSinceEpoch(); }
};

// Time that moves only when told; safe to read from the server thread while a test steps it.
class SteppedClock final : public Clock {
 public:
  explicit SteppedClock(qint64 startMs) : m_now(startMs) {}
  qint64 nowMs() const override { return m_now.load(); }
  void advanceMs(qint64 ms) { m_now += ms; }
  void setMs(qint64 ms) { m_now = ms; }

 private:
  std::atomic<qint64> m_now;
};

}  // namespace simhome
