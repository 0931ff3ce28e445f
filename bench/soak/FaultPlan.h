#pragma once
// What the soak does to the service, drawn from one seeded generator so that a run can be played
// again: which fault comes next and how many requests it takes, and when another client of the
// same home changes it. Faults come in bursts that the driver never lets overlap, so whatever the
// app says during one is the answer to that burst alone.
#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <random>

namespace soak {

enum class FaultKind { ServerError, GatewayOff, PrivacyMode, SessionExpiry, ClosedMidAnswer, Stall, LatencySpike };

struct Fault {
  FaultKind kind = FaultKind::ServerError;
  int status = 0;    // the status the service answers with, for the status kinds
  int requests = 1;  // requests the burst takes
  int ms = 0;        // added before the answer, for a latency spike

  QString name() const;
  // The body of the control interface's fail rule; empty for a session expiry, which ends every
  // session instead of answering with a status.
  QJsonObject rule() const;
};

class FaultPlan {
 public:
  FaultPlan(std::uint64_t seed, double share) : m_random(seed), m_share(share) {}

  // Asked at each decision point with the app's requests so far and those a fault took: the burst
  // to start now, if any. Bursts are spread so that about `share` of the requests meet one.
  std::optional<Fault> next(long requests, long faulted);
  // Whether the home changes at this decision point: the index of the light to switch, among `lights`.
  std::optional<int> homeChange(int lights);

 private:
  int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
  bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

  std::mt19937_64 m_random;
  double m_share;
};

}  // namespace soak
