#include "rest/network/RestClient.h"

#include "foundation/Logging.h"
#include "foundation/Strings.h"
#include "rest/network/RestNotifications.h"
#include "rest/support/LoggableURL.h"

#include <QMutex>
#include <QUrl>

namespace rest {

namespace {
QMutex g_sharedMutex;
thread_local std::optional<int> t_scopedCachePolicy;
std::shared_ptr<RestClient> g_sharedClient;
RestClient::AlertPresenter g_alertPresenter;
}  // namespace

RestClient::RestClient(const QString& baseURL)
    : m_serviceUnavailableAlertTitle(foundation::localized("Service Unavailable")),
      m_serviceUnavailableAlertMessage(foundation::localized("The remote resource is unavailable. Please try again later.")) {
  // The observer exists before the queue, and the queue starts suspended: nothing leaves before
  // the first reachability answer.
  setReachabilityObserver(RestReachabilityObserver::reachabilityObserverForInternet(QUrl(baseURL).host()));
  setRequestQueue(RestRequestQueue::requestQueue());
  m_unavailableObservation = foundation::NotificationCenter::defaultCenter().addObserver(
      RestServiceDidBecomeUnavailableNotification, [this](const foundation::Notification&) {
        if (!m_serviceUnavailableAlertEnabled) return;
        AlertPresenter presenter;
        {
          QMutexLocker lock(&g_sharedMutex);
          presenter = g_alertPresenter;
        }
        if (presenter) presenter(m_serviceUnavailableAlertTitle, m_serviceUnavailableAlertMessage, foundation::localized("OK"));
      });
  setBaseURL(baseURL);
}

RestClient::~RestClient() = default;

std::shared_ptr<RestClient> RestClient::clientWithBaseURL(const QString& baseURL) {
  std::shared_ptr<RestClient> client(new RestClient(baseURL));
  QMutexLocker lock(&g_sharedMutex);
  if (!g_sharedClient) {
    g_sharedClient = client;
    foundation::installLogging();
  }
  return client;
}

std::shared_ptr<RestClient> RestClient::sharedClient() {
  QMutexLocker lock(&g_sharedMutex);
  return g_sharedClient;
}

void RestClient::setSharedClient(std::shared_ptr<RestClient> client) {
  QMutexLocker lock(&g_sharedMutex);
  g_sharedClient = std::move(client);
}

void RestClient::setAlertPresenter(AlertPresenter presenter) {
  QMutexLocker lock(&g_sharedMutex);
  g_alertPresenter = std::move(presenter);
}

RestClient::CachePolicyScope::CachePolicyScope(int policy) : m_previous(t_scopedCachePolicy) {
  t_scopedCachePolicy = policy;
}

RestClient::CachePolicyScope::~CachePolicyScope() { t_scopedCachePolicy = m_previous; }

void RestClient::setBaseURL(const QString& baseURL) {
  m_baseURL = baseURL;
  makeRequestCache();
}

void RestClient::pointAt(const QString& baseURL) {
  m_cacheUser.clear();
  setReachabilityObserver(RestReachabilityObserver::reachabilityObserverForInternet(QUrl(baseURL).host()));
  setBaseURL(baseURL);
}

void RestClient::setCacheUser(const QString& user) {
  if (user == m_cacheUser && m_requestCache) return;
  m_cacheUser = user;
  makeRequestCache();
}

void RestClient::makeRequestCache() {
  if (m_cacheUser.isEmpty()) {
    m_requestCache = std::make_shared<RestRequestCache>(RestRequestCache::cachePathForHost(QUrl(m_baseURL).host()),
                                                        RestRequestCacheStoragePolicyPermanently);
    return;
  }
  m_requestCache = std::make_shared<RestRequestCache>(RestRequestCache::cachePathForUserAndServer(m_cacheUser, m_baseURL),
                                                      RestRequestCacheStoragePolicyPermanently);
  m_requestCache->setPrivateToUser(true);
}

void RestClient::setValueForHTTPHeaderField(const QString& value, const QString& header) {
  setHeaderValue(m_HTTPHeaders, header, value);
}

void RestClient::setReachabilityObserver(std::shared_ptr<RestReachabilityObserver> observer) {
  m_reachabilityObservation.reset();
  m_awaitingReachability = false;
  m_reachabilityObserver = std::move(observer);
  if (!m_reachabilityObserver) {
    if (m_requestQueue) m_requestQueue->setSuspended(false);
    return;
  }
  if (m_reachabilityObserver->isReachabilityDetermined()) {
    if (m_requestQueue) m_requestQueue->setSuspended(false);
    return;
  }
  if (m_requestQueue) m_requestQueue->setSuspended(true);
  m_reachabilityObservation = foundation::NotificationCenter::defaultCenter().addObserver(
      RestReachabilityWasDeterminedNotification,
      [this](const foundation::Notification& notification) { reachabilityWasDetermined(notification); },
      m_reachabilityObserver.get());
  m_awaitingReachability = true;
}

void RestClient::reachabilityWasDetermined(const foundation::Notification& notification) {
  if (notification.sender != m_reachabilityObserver.get())
    qFatal("Received unexpected reachability notification from inappropriate reachability observer");
  m_awaitingReachability = false;
  m_reachabilityObservation.reset();
  if (m_requestQueue) m_requestQueue->setSuspended(false);
}

void RestClient::setRequestQueue(std::shared_ptr<RestRequestQueue> queue) {
  m_requestQueue = std::move(queue);
  if (m_requestQueue && m_awaitingReachability)
    m_requestQueue->setSuspended(!m_reachabilityObserver || !m_reachabilityObserver->isReachabilityDetermined());
}

std::optional<RestURL> RestClient::URLForResourcePath(const QString& resourcePath) const {
  return RestURL::URLWithBaseURLString(m_baseURL, resourcePath);
}

std::optional<RestURL> RestClient::URLForResourcePathQueryParams(const QString& resourcePath,
                                                                 const QVariantMap& queryParams) const {
  return RestURL::URLWithBaseURLString(m_baseURL, resourcePath, queryParams);
}

QString RestClient::URLPathForResourcePath(const QString& resourcePath) const {
  const auto url = URLForResourcePath(resourcePath);
  return url ? url->absoluteString() : QString();
}

QString RestClient::resourcePathWithQueryParams(const QString& resourcePath, const QVariantMap& queryParams) const {
  return rest::resourcePathWithQueryParams(resourcePath, queryParams);
}

void RestClient::setupRequest(RestRequest* request) const {
  request->setAdditionalHTTPHeaders(m_HTTPHeaders);
  request->setAuthenticationType(m_authenticationType);
  request->setUsername(m_username);
  request->setPassword(m_password);
  request->setCachePolicy(t_scopedCachePolicy.value_or(m_cachePolicy));
  request->setCache(m_requestCache);
  request->setQueue(m_requestQueue);
  request->setReachabilityObserver(m_reachabilityObserver);
  request->setTimeoutInterval(m_timeoutInterval);
  request->setDeadlineInterval(m_deadlineInterval);
  request->setMaximumResponseBodySize(m_maximumResponseBodySize);
}

std::shared_ptr<RestRequest> RestClient::requestWithResourcePathDelegate(const QString& resourcePath,
                                                                         RestRequestDelegate* delegate) {
  const auto url = URLForResourcePath(resourcePath);
  if (!url) {
    qCWarning(lcRestNetwork).noquote() << "No URL can be made of" << m_baseURL << "and" << loggableURL(resourcePath);
    return nullptr;
  }
  auto request = RestRequest::requestWithURLDelegate(*url, delegate);
  setupRequest(request.get());
  return request;
}

std::shared_ptr<RestRequest> RestClient::load(const std::optional<RestURL>& url, RestRequestMethod method,
                                              std::shared_ptr<RestRequestParams> params, RestRequestDelegate* delegate) {
  if (!url) {
    qCWarning(lcRestNetwork) << "No URL can be made on" << m_baseURL;
    return nullptr;
  }
  auto request = RestRequest::requestWithURLDelegate(*url, delegate);
  setupRequest(request.get());
  request->setMethod(method);
  if (method != RestRequestMethodGET) request->setParams(std::move(params));
  request->send();
  return request;
}

std::shared_ptr<RestRequest> RestClient::getDelegate(const QString& resourcePath, RestRequestDelegate* delegate) {
  return load(URLForResourcePath(resourcePath), RestRequestMethodGET, nullptr, delegate);
}

std::shared_ptr<RestRequest> RestClient::getQueryParamsDelegate(const QString& resourcePath, const QVariantMap& queryParams,
                                                                RestRequestDelegate* delegate) {
  return load(URLForResourcePathQueryParams(resourcePath, queryParams), RestRequestMethodGET, nullptr, delegate);
}

std::shared_ptr<RestRequest> RestClient::postParamsDelegate(const QString& resourcePath,
                                                            std::shared_ptr<RestRequestParams> params,
                                                            RestRequestDelegate* delegate) {
  return load(URLForResourcePath(resourcePath), RestRequestMethodPOST, std::move(params), delegate);
}

std::shared_ptr<RestRequest> RestClient::putParamsDelegate(const QString& resourcePath,
                                                           std::shared_ptr<RestRequestParams> params,
                                                           RestRequestDelegate* delegate) {
  return load(URLForResourcePath(resourcePath), RestRequestMethodPUT, std::move(params), delegate);
}

std::shared_ptr<RestRequest> RestClient::deleteDelegate(const QString& resourcePath, RestRequestDelegate* delegate) {
  return load(URLForResourcePath(resourcePath), RestRequestMethodDELETE, nullptr, delegate);
}

bool RestClient::isNetworkReachable() const {
  if (!m_reachabilityObserver || !m_reachabilityObserver->isReachabilityDetermined()) return false;
  return m_reachabilityObserver->isNetworkReachable();
}

}  // namespace rest
