#include "rest/network/RestRequest.h"

#include "foundation/Logging.h"
#include "foundation/NotificationCenter.h"
#include "rest/network/RestClient.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/RestReachabilityObserver.h"
#include "rest/network/RestRequestCache.h"
#include "rest/network/RestRequestQueue.h"
#include "rest/network/TlsTrust.h"
#include "rest/support/RestError.h"

#include <QEventLoop>

namespace rest {

RestRequest::RestRequest(const RestURL& URL, RestRequestDelegate* delegate)
    : RestRequestDescription(URL), m_delegate(delegate) {}

RestRequest::RestRequest(const QUrl& URL, RestRequestDelegate* delegate)
    : RestRequestDescription(URL), m_delegate(delegate) {}

RestRequest::~RestRequest() = default;

std::shared_ptr<RestRequest> RestRequest::requestWithURLDelegate(const RestURL& URL, RestRequestDelegate* delegate) {
  return std::make_shared<RestRequest>(URL, delegate);
}

// --- Preparation

void RestRequest::prepareURLRequest() {
  QNetworkRequest request(URL());
  // The layer has its own cache; the transport's must never answer or store.
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  // Every redirect waits for the transfer, which lets only the same origin through.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
  m_preparedHeaders.clear();

  auto set = [&](const QString& name, const QString& value) {
    m_preparedHeaders.append({name, value});
    request.setRawHeader(name.toLatin1(), value.toUtf8());
  };
  for (const auto& [name, value] : additionalHTTPHeaders()) set(name, value);

  m_preparedBody = sendsBody() ? params()->HTTPBody() : QByteArray("");
  if (sendsBody()) {
    const QString contentType = params()->HTTPHeaderValueForContentType();
    if (!contentType.isEmpty()) set(QStringLiteral("Content-Type"), contentType);
    const auto declared = params()->HTTPHeaderValueForContentLength();
    if (declared && *declared != m_preparedBody.size())
      qCWarning(lcRestNetwork) << "Body provider declares" << *declared << "bytes but gives" << m_preparedBody.size()
                               << "; sending the real length";
  }
  // "Content-Length" is the real length of what is sent ("0" without a body). The transport writes
  // it from the data it is given: set by hand on a request without upload data, the header makes
  // it drop the keep-alive connection after every answer.
  m_preparedHeaders.append({QStringLiteral("Content-Length"), QString::number(m_preparedBody.size())});
  if (isHEAD()) request.setRawHeader("Content-Length", "0");

  if (authenticationType() == RestRequestAuthenticationTypeHTTPBasic && !username().isEmpty()) {
    const QByteArray credentials = (username() + ':' + password()).toUtf8().toBase64();
    m_preparedHeaders.append({QStringLiteral("Authorization"), QStringLiteral("Basic <credentials>")});
    request.setRawHeader("Authorization", "Basic " + credentials);
  }

  if (const QString etag = m_cacheGate.validator(); !etag.isEmpty()) set(QStringLiteral("If-None-Match"), etag);

  const auto shared = RestClient::sharedClient();
  request.setSslConfiguration(tls::configurationForRequest(shared && shared->disableCertificateValidation()));
  m_URLRequest = request;
}

// --- Sending

void RestRequest::send() {
  if (auto queue = m_queue.lock()) {
    if (auto self = weak_from_this().lock()) {
      queue->addRequest(self);
      return;
    }
  }
  sendAsynchronously();
}

bool RestRequest::unreachable() const {
  return m_reachabilityObserver && m_reachabilityObserver->isReachabilityDetermined() &&
         !m_reachabilityObserver->isNetworkReachable();
}

void RestRequest::finishWithStored(const std::shared_ptr<RestResponse>& stored) {
  m_isLoading = true;
  didFinishLoad(stored);
}

bool RestRequest::settledBeforeSending() {
  // A second send would open a second transfer and report twice.
  if (m_isLoading || m_isLoaded) qFatal("Cannot send a request that is loading or loaded without resetting it first.");
  m_cacheGate.begin();
  if (cachePolicy() & RestRequestCachePolicyStoredOnly) {
    if (auto stored = m_cacheGate.storedAnswer()) finishWithStored(stored);
    else didFailLoadWithError(restError(kRestNoStoredAnswer, QStringLiteral("Nothing is stored for %1").arg(loggableURLString())));
    return true;
  }
  if (auto fresh = m_cacheGate.freshAnswer()) {
    finishWithStored(fresh);
    return true;
  }
  if (!unreachable()) return false;
  if (auto offline = m_cacheGate.offlineAnswer()) {
    finishWithStored(offline);
    return true;
  }
  qCCritical(lcRestNetwork).noquote() << QStringLiteral("Failed to send request to %1 due to unreachable network. Reachability observer = %2")
                                             .arg(loggableURLString(), m_reachabilityObserver->description());
  didFailLoadWithError(restError(kRestUnableToContactResource,
                                 QStringLiteral("The client is unable to contact the resource at %1").arg(loggableURLString())));
  return true;
}

void RestRequest::sendAsynchronously() {
  m_sentSynchronously = false;
  if (!settledBeforeSending()) fire();
}

std::shared_ptr<RestResponse> RestRequest::sendSynchronously() {
  m_sentSynchronously = true;
  if (settledBeforeSending()) return m_response;
  const auto keepAlive = weak_from_this().lock();
  fire();
  // The transport is asynchronous; a local loop turns it into the blocking call. The request ends
  // (answer, failure, timeout or cancel) when its transfer stops running.
  QEventLoop loop;
  while (m_transfer && m_transfer->isRunning())
    loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
  return m_response;
}

void RestRequest::fire() {
  prepareURLRequest();
  m_isLoading = true;
  m_self = weak_from_this().lock();
  // A delegate may cancel from any of its callbacks, releasing the last reference: this request
  // stays alive until the call that made the callback is over.
  const auto keepAlive = m_self;
  if (m_delegate) m_delegate->requestDidStartLoad(this);
  if (!m_isLoading) return;  // cancelled by the delegate
  startTransfer();
  postNotification(RestRequestSentNotification);
}

void RestRequest::startTransfer() {
  RestTransfer::Events events;
  events.received = [this](qint64 chunk, qint64 total, qint64 expected) {
    const auto keepAlive = weak_from_this().lock();
    if (m_delegate) m_delegate->requestDidReceivedDataTotalBytesReceivedTotalBytesExectedToReceive(this, chunk, total, expected);
  };
  events.sent = [this](qint64 chunk, qint64 total, qint64 expected) {
    const auto keepAlive = weak_from_this().lock();
    if (m_delegate) m_delegate->requestDidSendBodyDataTotalBytesWrittenTotalBytesExpectedToWrite(this, chunk, total, expected);
  };
  events.finished = [this](foundation::Result<std::shared_ptr<RestResponse>> result) { transferDidEnd(std::move(result)); };
  m_transfer = std::make_unique<RestTransfer>(*this, m_URLRequest, m_preparedBody, std::move(events));
}

void RestRequest::transferDidEnd(foundation::Result<std::shared_ptr<RestResponse>> result) {
  const auto keepAlive = weak_from_this().lock();
  if (!result.ok()) {
    didFailLoadWithError(result.error());
    return;
  }
  if (m_cacheGate.mustResendWhole(**result)) {
    prepareURLRequest();
    startTransfer();
    return;
  }
  didFinishLoad(*result);
}

// --- Completion

void RestRequest::postNotification(const char* name, foundation::UserInfo info) {
  foundation::NotificationCenter::defaultCenter().post(name, static_cast<const RestRequest*>(this), std::move(info));
}

void RestRequest::announceLoad(RestResponse* response) {
  postNotification(RestRequestDidLoadResponseNotification, {{RestRequestDidLoadResponseNotificationUserInfoResponseKey, response}});
  if (auto queue = m_queue.lock()) queue->requestDidLoad(this, response);
}

void RestRequest::announceFailure(const foundation::Error& error) {
  postNotification(RestRequestDidFailWithErrorNotification, {{RestRequestDidFailWithErrorNotificationUserInfoErrorKey, error}});
  if (auto queue = m_queue.lock()) queue->requestDidFail(this, error);
}

void RestRequest::didFinishLoad(const std::shared_ptr<RestResponse>& response) {
  auto keepAlive = std::move(m_self);
  const auto final = completeLoad(response);
  if (m_delegate) m_delegate->requestDidLoadResponse(this, final.get());
  if (final->isServiceUnavailable()) postNotification(RestServiceDidBecomeUnavailableNotification);
  announceLoad(final.get());
}

std::shared_ptr<RestResponse> RestRequest::completeLoad(const std::shared_ptr<RestResponse>& response) {
  m_isLoading = false;
  m_isLoaded = true;
  m_response = m_cacheGate.complete(response);
  return m_response;
}

void RestRequest::didFailLoadWithError(const foundation::Error& error) {
  auto keepAlive = std::move(m_self);
  if (answerFromCacheOnError()) return;
  completeFailure(error);
  if (m_delegate) m_delegate->requestDidFailLoadWithError(this, error);
  announceFailure(error);
}

bool RestRequest::answerFromCacheOnError() {
  auto stored = m_cacheGate.answerOnError();
  if (!stored) return false;
  finishWithStored(stored);
  return true;
}

void RestRequest::completeFailure(const foundation::Error& error) {
  m_isLoading = false;
  m_response = std::make_shared<RestResponse>(this);
  m_response->setFailureError(error);
}

void RestRequest::cancel() {
  if (auto queue = m_queue.lock(); queue && queue->containsRequest(this)) {
    queue->cancelRequest(this);
    return;
  }
  cancelLoad(true);
}

void RestRequest::cancelLoad(bool informDelegate) {
  const bool wasLoading = m_isLoading;
  auto keepAlive = std::move(m_self);
  if (!keepAlive) keepAlive = weak_from_this().lock();
  if (m_transfer) m_transfer->cancel();
  m_isLoading = false;
  const bool stoppedDelivery = cancelDelivery();
  if ((wasLoading || stoppedDelivery) && informDelegate && m_delegate) m_delegate->requestDidCancelLoad(this);
}

void RestRequest::reset() {
  if (m_isLoading) {
    qCWarning(lcRestNetwork).noquote() << QStringLiteral("Request was reset while loading: %1. Canceling.").arg(loggableURLString());
    cancel();
  }
  m_URLRequest = QNetworkRequest(URL());
  m_preparedHeaders.clear();
  m_isLoading = false;
  m_isLoaded = false;
}

}  // namespace rest
