#include "backend/ServiceReachability.h"

#include "foundation/Logging.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestClient.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/RestReachabilityObserver.h"
#include "rest/network/RestRequest.h"
#include "rest/network/RestResponse.h"
#include "rest/network/TlsTrust.h"
#include "rest/support/RestError.h"

namespace backend {

namespace {
// Failures that mean nothing answered at all, as opposed to an answer the app did not like.
bool meansNothingAnswered(const foundation::Error& error) {
  if (error.domain != rest::kRestErrorDomain) return false;
  switch (error.code) {
    case rest::kRestUnableToContactResource:
    case rest::kRestConnectionRefused:
    case rest::kRestHostNotFound:
    case rest::kRestTimedOut:
      return true;
    default:
      return false;
  }
}
}  // namespace

ServiceReachability::~ServiceReachability() {
  if (m_probe && m_probing) m_probe->cancel();
}

void ServiceReachability::start(double probeInterval) {
  m_probeInterval = probeInterval > 0 ? probeInterval : kDefaultProbeInterval;
  if (m_started) return;
  m_started = true;
  m_observations.add(rest::RestRequestDidFailWithErrorNotification, [this](const foundation::Notification& n) {
    const auto* error = n.info<foundation::Error>(rest::RestRequestDidFailWithErrorNotificationUserInfoErrorKey);
    if (error && meansNothingAnswered(*error) && isOfCurrentServer(n.sender)) markUnreachable();
  });
  m_observations.add(rest::RestRequestDidLoadResponseNotification, [this](const foundation::Notification& n) {
    auto* const* response = n.info<rest::RestResponse*>(rest::RestRequestDidLoadResponseNotificationUserInfoResponseKey);
    // A stored answer served in place of the network proves nothing.
    if (response && *response && !(*response)->wasLoadedFromCache() && isOfCurrentServer(n.sender)) markReachable();
  });
  m_observations.add(rest::RestReachabilityDidChangeNotification, [this](const foundation::Notification& n) {
    const auto* flags = n.info<quint32>(rest::RestReachabilityFlagsUserInfoKey);
    if (!flags) return;
    if (!(*flags & rest::kRestReachabilityFlagReachable))
      markUnreachable();
    else if (!m_reachable)
      probe();  // the network is back: ask now rather than at the next round
  });
  m_observations.add(rest::RestServerCertificateRefusedNotification, [this](const foundation::Notification& n) {
    if (const auto* refusal = n.info<rest::CertificateRefusal>(rest::RestServerCertificateRefusalKey))
      refuseCertificateOf(refusal->server);
  });
}

void ServiceReachability::refuseCertificateOf(const QString& server) {
  // Another server's certificate (a camera's media server) says nothing about the service.
  rest::RestObjectManager* manager = rest::RestObjectManager::sharedManager();
  rest::RestClient* client = manager ? manager->client() : nullptr;
  if (!client || rest::serverKey(QUrl(client->baseURL())) != server) return;
  m_probeTimer.invalidate();
  if (m_certificateRefused) return;
  m_certificateRefused = true;
  m_reachable = false;
  qCInfo(lcApp).noquote() << "The certificate of" << server << "was refused; the service is not asked again until it is accepted";
  foundation::NotificationCenter::defaultCenter().post(kServiceReachabilityDidChange);
}

bool ServiceReachability::isOfCurrentServer(const void* request) {
  rest::RestObjectManager* manager = rest::RestObjectManager::sharedManager();
  rest::RestClient* client = manager ? manager->client() : nullptr;
  // Only requests post these notifications, as themselves.
  if (!client || !request) return true;
  return rest::serverKey(static_cast<const rest::RestRequest*>(request)->URL()) == rest::serverKey(QUrl(client->baseURL()));
}

void ServiceReachability::serverChanged() {
  m_probeTimer.invalidate();
  if (m_probe && m_probing) m_probe->cancel();
  m_probing = false;
  m_certificateRefused = false;
  // As at start: reachable until a request to the new server says otherwise.
  if (m_reachable) return;
  m_reachable = true;
  foundation::NotificationCenter::defaultCenter().post(kServiceReachabilityDidChange);
}

void ServiceReachability::certificateAccepted() {
  if (!m_certificateRefused) return;
  m_certificateRefused = false;
  // At the next round: the request that met the certificate (a sign-in) usually goes again first.
  markUnreachable();
}

void ServiceReachability::markUnreachable() {
  if (!m_probeTimer.isValid() && m_started && !m_certificateRefused)
    m_probeTimer.start(m_probeInterval, true, [this](foundation::Timer&) { probe(); });
  if (!m_reachable) return;
  m_reachable = false;
  qCInfo(lcApp) << "The service cannot be reached; asking again every" << m_probeInterval << "s";
  foundation::NotificationCenter::defaultCenter().post(kServiceReachabilityDidChange);
}

void ServiceReachability::markReachable() {
  m_probeTimer.invalidate();
  m_certificateRefused = false;
  if (m_reachable) return;
  m_reachable = true;
  qCInfo(lcApp) << "The service answers again";
  foundation::NotificationCenter::defaultCenter().post(kServiceReachabilityDidChange);
}

void ServiceReachability::probe() {
  if (m_probing || m_certificateRefused) return;  // one at a time, and none to a refused server
  // The client the services use: same base address, trust settings and queue.
  rest::RestObjectManager* manager = rest::RestObjectManager::sharedManager();
  rest::RestClient* client = manager ? manager->client() : nullptr;
  if (!client) return;
  // Any answer will do: the base path itself, which needs no session and stores nothing.
  m_probe = client->getDelegate(QStringLiteral("/"), this);
  m_probing = m_probe != nullptr;
}

// The request is not released from its own callbacks: the next probe replaces it.
void ServiceReachability::requestDidLoadResponse(rest::RestRequest* /*request*/, rest::RestResponse* /*response*/) {
  m_probing = false;
}

void ServiceReachability::requestDidFailLoadWithError(rest::RestRequest* /*request*/, const foundation::Error& /*error*/) {
  m_probing = false;
}

}  // namespace backend
