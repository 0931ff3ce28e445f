#pragma once
// The HTTP client of one service (one base URL): makes requests on resource paths, fills them with
// its default headers, cache, queue and reachability observer, and sends them. The first client
// made becomes the process-wide shared client.
//
// The client holds its queue until its reachability observer has given a first answer, so that
// no request leaves before the network's state is known; requests that then find the network
// unreachable fail at once with kRestUnableToContactResource.
#include "foundation/NotificationCenter.h"
#include "rest/network/RestReachabilityObserver.h"
#include "rest/network/RestRequest.h"
#include "rest/network/RestRequestCache.h"
#include "rest/network/RestRequestQueue.h"
#include "rest/network/RestURL.h"

#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

namespace rest {

class RestClient : public std::enable_shared_from_this<RestClient> {
 public:
  // Shows the "service unavailable" alert (title, message, button); set by the user interface.
  using AlertPresenter = std::function<void(const QString& title, const QString& message, const QString& button)>;

  static std::shared_ptr<RestClient> clientWithBaseURL(const QString& baseURL);
  static std::shared_ptr<RestClient> sharedClient();
  static void setSharedClient(std::shared_ptr<RestClient> client);
  static void setAlertPresenter(AlertPresenter presenter);
  ~RestClient();

  const QString& baseURL() const { return m_baseURL; }
  // Also makes a new response cache for the new host (or the cache user and the new base URL).
  void setBaseURL(const QString& baseURL);
  // Another service from now on: its base URL, a reachability observer for its host (the queue
  // waits for its first answer, as at creation) and the host's response cache until a user signs
  // in there. Requests already made keep the URL, cache and observer they were made with.
  void pointAt(const QString& baseURL);
  // The user whose answers the response cache keeps: a cache of his own for this service, found
  // again by his later sessions and never read by another user's. "" (before any sign-in) uses
  // the host's cache.
  const QString& cacheUser() const { return m_cacheUser; }
  void setCacheUser(const QString& user);

  const HTTPHeaderList& HTTPHeaders() const { return m_HTTPHeaders; }
  void setValueForHTTPHeaderField(const QString& value, const QString& header);

  int authenticationType() const { return m_authenticationType; }
  void setAuthenticationType(int type) { m_authenticationType = type; }
  const QString& username() const { return m_username; }
  void setUsername(const QString& username) { m_username = username; }
  const QString& password() const { return m_password; }
  void setPassword(const QString& password) { m_password = password; }

  int cachePolicy() const { return m_cachePolicy; }
  void setCachePolicy(int policy) { m_cachePolicy = policy; }
  // While one lives, requests set up on this thread take `policy` instead of their client's: a
  // caller that cannot reach the request before it is sent (an object loader sends at once) asks
  // for, say, the stored answer only.
  class CachePolicyScope {
   public:
    explicit CachePolicyScope(int policy);
    ~CachePolicyScope();
    CachePolicyScope(const CachePolicyScope&) = delete;
    CachePolicyScope& operator=(const CachePolicyScope&) = delete;

   private:
    std::optional<int> m_previous;
  };
  const std::shared_ptr<RestRequestCache>& requestCache() const { return m_requestCache; }
  void setRequestCache(std::shared_ptr<RestRequestCache> cache) { m_requestCache = std::move(cache); }
  const std::shared_ptr<RestRequestQueue>& requestQueue() const { return m_requestQueue; }
  void setRequestQueue(std::shared_ptr<RestRequestQueue> queue);
  const std::shared_ptr<RestReachabilityObserver>& reachabilityObserver() const { return m_reachabilityObserver; }
  void setReachabilityObserver(std::shared_ptr<RestReachabilityObserver> observer);
  // Whether the queue is held until the observer's first answer.
  bool isAwaitingReachabilityDetermination() const { return m_awaitingReachability; }

  // "Use the configured certificate exceptions" (see TlsTrust.h). Only the shared client's value
  // is consulted, for every request of the process.
  bool disableCertificateValidation() const { return m_disableCertificateValidation; }
  void setDisableCertificateValidation(bool disable) { m_disableCertificateValidation = disable; }

  // Seconds without progress before a request fails with a timeout; copied into each request.
  double timeoutInterval() const { return m_timeoutInterval; }
  void setTimeoutInterval(double seconds) { m_timeoutInterval = seconds; }
  // Seconds a request may take in all, progress or not; copied into each request.
  double deadlineInterval() const { return m_deadlineInterval; }
  void setDeadlineInterval(double seconds) { m_deadlineInterval = seconds; }
  qint64 maximumResponseBodySize() const { return m_maximumResponseBodySize; }
  void setMaximumResponseBodySize(qint64 bytes) { m_maximumResponseBodySize = bytes; }

  bool serviceUnavailableAlertEnabled() const { return m_serviceUnavailableAlertEnabled; }
  void setServiceUnavailableAlertEnabled(bool enabled) { m_serviceUnavailableAlertEnabled = enabled; }
  const QString& serviceUnavailableAlertTitle() const { return m_serviceUnavailableAlertTitle; }
  void setServiceUnavailableAlertTitle(const QString& title) { m_serviceUnavailableAlertTitle = title; }
  const QString& serviceUnavailableAlertMessage() const { return m_serviceUnavailableAlertMessage; }
  void setServiceUnavailableAlertMessage(const QString& message) { m_serviceUnavailableAlertMessage = message; }

  // --- URLs
  std::optional<RestURL> URLForResourcePath(const QString& resourcePath) const;
  std::optional<RestURL> URLForResourcePathQueryParams(const QString& resourcePath, const QVariantMap& queryParams) const;
  QString URLPathForResourcePath(const QString& resourcePath) const;
  QString resourcePathWithQueryParams(const QString& resourcePath, const QVariantMap& queryParams) const;

  // --- Requests
  void setupRequest(RestRequest* request) const;
  // A set-up GET request on the resource path, not sent; null when no URL can be made of it.
  std::shared_ptr<RestRequest> requestWithResourcePathDelegate(const QString& resourcePath, RestRequestDelegate* delegate);
  std::shared_ptr<RestRequest> getDelegate(const QString& resourcePath, RestRequestDelegate* delegate);
  std::shared_ptr<RestRequest> getQueryParamsDelegate(const QString& resourcePath, const QVariantMap& queryParams,
                                                      RestRequestDelegate* delegate);
  std::shared_ptr<RestRequest> postParamsDelegate(const QString& resourcePath, std::shared_ptr<RestRequestParams> params,
                                                  RestRequestDelegate* delegate);
  std::shared_ptr<RestRequest> putParamsDelegate(const QString& resourcePath, std::shared_ptr<RestRequestParams> params,
                                                 RestRequestDelegate* delegate);
  std::shared_ptr<RestRequest> deleteDelegate(const QString& resourcePath, RestRequestDelegate* delegate);

  bool isNetworkReachable() const;

 private:
  explicit RestClient(const QString& baseURL);
  std::shared_ptr<RestRequest> load(const std::optional<RestURL>& url, RestRequestMethod method,
                                    std::shared_ptr<RestRequestParams> params, RestRequestDelegate* delegate);
  void reachabilityWasDetermined(const foundation::Notification& notification);
  void makeRequestCache();

  QString m_baseURL;
  QString m_cacheUser;
  HTTPHeaderList m_HTTPHeaders;
  int m_authenticationType = RestRequestAuthenticationTypeNone;
  QString m_username;
  QString m_password;
  int m_cachePolicy = RestRequestCachePolicyDefault;
  std::shared_ptr<RestRequestCache> m_requestCache;
  std::shared_ptr<RestRequestQueue> m_requestQueue;
  std::shared_ptr<RestReachabilityObserver> m_reachabilityObserver;
  bool m_awaitingReachability = false;
  foundation::Observation m_reachabilityObservation;
  foundation::Observation m_unavailableObservation;
  bool m_disableCertificateValidation = false;
  double m_timeoutInterval = kRestDefaultTimeoutInterval;
  double m_deadlineInterval = kRestDefaultDeadlineInterval;
  qint64 m_maximumResponseBodySize = kRestDefaultMaximumResponseBodySize;
  bool m_serviceUnavailableAlertEnabled = false;
  QString m_serviceUnavailableAlertTitle;
  QString m_serviceUnavailableAlertMessage;
};

}  // namespace rest
