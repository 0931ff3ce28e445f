#pragma once
// Whether the cloud service can be reached now, as the app tells the user (the offline banner) and
// as commands are refused while it cannot.
//
// The platform's reachability alone cannot say it: a service on this machine is "reachable" by
// every interface rule and still down, and a network that is up may lead nowhere. So a request
// that fails because nothing answered (refused, host not found, no route, timed out) marks the
// service unreachable, as does the platform saying the network is gone; from then on a small
// probe asks the service every `probeInterval` seconds, and the first answer of any kind (any
// status: the service spoke) marks it reachable again. Each change is posted as
// kServiceReachabilityDidChange.
//
// A server whose certificate was refused did answer, but nothing may be sent to it: asking again
// every few seconds would only meet the same certificate (and put the same question to the user).
// So the refusal marks the service unreachable for that reason and stops the probe, until the
// certificate is accepted or a request gets an answer.
#include "backend/Singleton.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include "rest/network/RestRequestDelegate.h"

#include <memory>

namespace rest {
class RestRequest;
}

inline constexpr const char kServiceReachabilityDidChange[] = "kServiceReachabilityDidChange";
// Posted when a command was refused at once because the service cannot be reached.
inline constexpr const char kServiceUnreachableCommandRefused[] = "kServiceUnreachableCommandRefused";

namespace backend {

class ServiceReachability : public Singleton<ServiceReachability>, private rest::RestRequestDelegate {
 public:
  static constexpr double kDefaultProbeInterval = 5.0;

  bool isServiceReachable() const { return m_reachable; }
  // Why it is out of reach: its certificate was refused (no probe runs), or nothing answered.
  bool certificateRefused() const { return m_certificateRefused; }
  // Starts watching the requests of the REST layer (once it is configured).
  void start(double probeInterval = kDefaultProbeInterval);
  bool isStarted() const { return m_started; }

  // What the watchers call; public so that tests can state either.
  void markUnreachable();
  void markReachable();
  // The user accepted the certificate that was refused: the probe resumes.
  void certificateAccepted();
  // The REST layer points at another server: nothing known of the old one's reach holds, and its
  // requests still on their way no longer speak for the service.
  void serverChanged();

  ~ServiceReachability() override;

 private:
  friend class Singleton<ServiceReachability>;
  ServiceReachability() = default;
  void probe();
  void refuseCertificateOf(const QString& server);
  // Whether a request was sent to the server the services use now.
  static bool isOfCurrentServer(const void* request);
  void requestDidLoadResponse(rest::RestRequest* request, rest::RestResponse* response) override;
  void requestDidFailLoadWithError(rest::RestRequest* request, const foundation::Error& error) override;

  bool m_reachable = true;
  bool m_started = false;
  bool m_certificateRefused = false;
  double m_probeInterval = kDefaultProbeInterval;
  foundation::Observations m_observations;
  foundation::Timer m_probeTimer;
  std::shared_ptr<rest::RestRequest> m_probe;  // the last probe; released when the next one goes
  bool m_probing = false;
};

}  // namespace backend
