#include "FaultPlan.h"

namespace soak {

QString Fault::name() const {
  switch (kind) {
    case FaultKind::ServerError: return QStringLiteral("%1 server error").arg(status);
    case FaultKind::GatewayOff: return QStringLiteral("600 gateway off");
    case FaultKind::PrivacyMode: return QStringLiteral("620 privacy mode");
    case FaultKind::SessionExpiry: return QStringLiteral("403 session expiry");
    case FaultKind::ClosedMidAnswer: return QStringLiteral("closed mid-answer");
    case FaultKind::Stall: return QStringLiteral("60 s stall");
    case FaultKind::LatencySpike: return QStringLiteral("latency spike");
  }
  return {};
}

QJsonObject Fault::rule() const {
  QJsonObject rule{{"path", "*"}, {"count", requests}};
  switch (kind) {
    case FaultKind::ServerError:
    case FaultKind::GatewayOff:
    case FaultKind::PrivacyMode: rule["status"] = status; break;
    case FaultKind::SessionExpiry: return {};
    case FaultKind::ClosedMidAnswer: rule["effect"] = "close-mid-body"; break;
    case FaultKind::Stall: rule["effect"] = "stall"; break;
    case FaultKind::LatencySpike:
      rule["effect"] = "delay";
      rule["ms"] = ms;
      break;
  }
  return rule;
}

std::optional<Fault> FaultPlan::next(long requests, long faulted) {
  // Behind the share: catch up at random moments, rather than on every request.
  if (double(faulted) >= m_share * double(requests) || !chance(0.6)) return std::nullopt;
  Fault fault;
  fault.kind = FaultKind(uniform(0, int(FaultKind::LatencySpike)));
  fault.requests = uniform(1, 4);
  switch (fault.kind) {
    case FaultKind::ServerError: fault.status = 500 + uniform(0, 3); break;
    case FaultKind::GatewayOff: fault.status = 600; break;
    case FaultKind::PrivacyMode: fault.status = 620; break;
    case FaultKind::SessionExpiry:
    case FaultKind::Stall: fault.requests = 1; break;
    case FaultKind::ClosedMidAnswer: break;
    case FaultKind::LatencySpike: fault.ms = uniform(200, 1500); break;
  }
  return fault;
}

std::optional<int> FaultPlan::homeChange(int lights) {
  if (lights <= 0 || !chance(0.1)) return std::nullopt;
  return uniform(0, lights - 1);
}

}  // namespace soak
