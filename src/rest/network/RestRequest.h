#pragma once
// One HTTP request of the REST layer: built on a URL, prepared with the client's headers, sent
// through its queue (or directly), answered from the response cache when the policy allows, and
// finished with a response or failed with an error, exactly once per send.
//
// Requests are shared objects (std::shared_ptr); while one is loading it keeps itself alive, so a
// caller may drop its reference after sending. Everything runs on the thread that sends it (the
// main thread in the application).
#include "foundation/Result.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include "rest/network/RestRequestDelegate.h"
#include "rest/network/RestRequestParams.h"
#include "rest/network/RestResponse.h"
#include "rest/network/RestURL.h"

#include <QNetworkRequest>
#include <QSslError>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <any>
#include <memory>
#include <optional>

class QNetworkReply;

namespace rest {

class RestRequestCache;
class RestRequestQueue;
class RestReachabilityObserver;

enum RestRequestMethod : int {
  RestRequestMethodGET = 0,
  RestRequestMethodPOST = 1,
  RestRequestMethodPUT = 2,
  RestRequestMethodDELETE = 3,
  RestRequestMethodHEAD = 4,
};

enum RestRequestBackgroundPolicy : int {
  RestRequestBackgroundPolicyNone = 0,
  RestRequestBackgroundPolicyCancel = 1,
  RestRequestBackgroundPolicyContinue = 2,
  RestRequestBackgroundPolicyRequeue = 3,
};

enum RestRequestAuthenticationType : int {
  RestRequestAuthenticationTypeNone = 0,
  RestRequestAuthenticationTypeHTTPBasic = 2,
};

// Bits of a cache policy.
enum RestRequestCachePolicy : int {
  RestRequestCachePolicyNone = 0,
  RestRequestCachePolicyLoadIfOffline = 1,
  RestRequestCachePolicyLoadOnError = 2,
  RestRequestCachePolicyEtag = 4,
  RestRequestCachePolicyEnabled = 8,
  RestRequestCachePolicyTimeout = 16,
  // Answered from the stored answer alone, never sent: without one the request fails at once
  // (kRestNoStoredAnswer). What an earlier run last heard, shown until the fresh answer comes.
  RestRequestCachePolicyStoredOnly = 32,
  RestRequestCachePolicyDefault = RestRequestCachePolicyEtag | RestRequestCachePolicyTimeout,
};

// Default headers copied into every request, in insertion order (a name set twice keeps its
// first position).
using HTTPHeaderList = QList<QPair<QString, QString>>;
void setHeaderValue(HTTPHeaderList& headers, const QString& name, const QString& value);

inline constexpr double kRestDefaultTimeoutInterval = 60.0;
inline constexpr double kRestDefaultDeadlineInterval = 120.0;
inline constexpr qint64 kRestDefaultMaximumResponseBodySize = 32LL * 1024 * 1024;
inline constexpr qint64 kRestMaximumResponseHeaderBytes = 64 * 1024;
inline constexpr int kRestMaximumResponseHeaderCount = 100;
// How far the transport may read ahead of the main thread; beyond it the socket is left unread.
inline constexpr qint64 kRestReadBufferSize = 1024 * 1024;

class RestRequest : public QObject, public std::enable_shared_from_this<RestRequest> {
  Q_OBJECT

 public:
  RestRequest(const RestURL& URL, RestRequestDelegate* delegate = nullptr);
  // A request on a URL that was not made from a base URL and resource path.
  RestRequest(const QUrl& URL, RestRequestDelegate* delegate = nullptr);
  ~RestRequest() override;

  static std::shared_ptr<RestRequest> requestWithURLDelegate(const RestURL& URL, RestRequestDelegate* delegate);

  // --- What is sent
  QUrl URL() const { return m_url; }
  // The URL percent-encoded, as sent (made once per URL).
  const QString& URLString() const;
  // The URL without its session parameter: what the response cache keys and stores, so that a
  // later session of the same user finds the entry again and no session identifier is written.
  const QString& cacheURLString() const;
  const std::optional<RestURL>& restURL() const { return m_restURL; }
  RestRequestMethod method() const { return m_method; }
  void setMethod(RestRequestMethod method) {
    m_method = method;
    m_cacheKey.clear();
  }
  const std::shared_ptr<RestRequestParams>& params() const { return m_params; }
  void setParams(std::shared_ptr<RestRequestParams> params) {
    m_params = std::move(params);
    m_cacheKey.clear();
  }
  const HTTPHeaderList& additionalHTTPHeaders() const { return m_additionalHTTPHeaders; }
  void setAdditionalHTTPHeaders(HTTPHeaderList headers) { m_additionalHTTPHeaders = std::move(headers); }

  RestRequestDelegate* delegate() const { return m_delegate; }
  void setDelegate(RestRequestDelegate* delegate) { m_delegate = delegate; }
  std::shared_ptr<RestRequestQueue> queue() const { return m_queue.lock(); }
  void setQueue(const std::shared_ptr<RestRequestQueue>& queue) { m_queue = queue; }
  const std::shared_ptr<RestRequestCache>& cache() const { return m_cache; }
  void setCache(std::shared_ptr<RestRequestCache> cache) { m_cache = std::move(cache); }
  int cachePolicy() const { return m_cachePolicy; }
  void setCachePolicy(int policy) { m_cachePolicy = policy; }
  double cacheTimeoutInterval() const { return m_cacheTimeoutInterval; }
  void setCacheTimeoutInterval(double seconds) { m_cacheTimeoutInterval = seconds; }
  const std::shared_ptr<RestReachabilityObserver>& reachabilityObserver() const { return m_reachabilityObserver; }
  void setReachabilityObserver(std::shared_ptr<RestReachabilityObserver> observer) {
    m_reachabilityObserver = std::move(observer);
  }
  const std::any& userData() const { return m_userData; }
  void setUserData(std::any data) { m_userData = std::move(data); }
  const QString& username() const { return m_username; }
  void setUsername(const QString& username) { m_username = username; }
  const QString& password() const { return m_password; }
  void setPassword(const QString& password) { m_password = password; }
  int authenticationType() const { return m_authenticationType; }
  void setAuthenticationType(int type) { m_authenticationType = type; }
  RestRequestBackgroundPolicy backgroundPolicy() const { return m_backgroundPolicy; }
  void setBackgroundPolicy(RestRequestBackgroundPolicy policy) { m_backgroundPolicy = policy; }

  // Seconds without any progress after which the transfer fails with a timeout.
  double timeoutInterval() const { return m_timeoutInterval; }
  void setTimeoutInterval(double seconds) { m_timeoutInterval = seconds; }
  // Seconds after which a transfer still running fails with a timeout, however much progress it
  // makes (0 or less: no deadline).
  double deadlineInterval() const { return m_deadlineInterval; }
  void setDeadlineInterval(double seconds) { m_deadlineInterval = seconds; }
  // Answers with a larger body fail (and are never cached).
  qint64 maximumResponseBodySize() const { return m_maximumResponseBodySize; }
  void setMaximumResponseBodySize(qint64 bytes) { m_maximumResponseBodySize = bytes; }

  // --- State
  bool isLoading() const { return m_isLoading; }
  bool isLoaded() const { return m_isLoaded; }
  bool isUnsent() const { return !m_isLoading && !m_isLoaded; }
  // Loaded, with the outcome still on its way to the delegate (an object loader mapping its
  // answer); cancel() then stops the delivery.
  virtual bool isDelivering() const { return false; }
  bool sentSynchronously() const { return m_sentSynchronously; }
  // The last response (also a failed one); null before any.
  const std::shared_ptr<RestResponse>& response() const { return m_response; }
  // The headers set by the last preparation, in order (the transport adds its own).
  const HTTPHeaderList& preparedHeaders() const { return m_preparedHeaders; }
  const QNetworkRequest& URLRequest() const { return m_URLRequest; }

  // --- Sending
  // Through the queue when the request has one, else at once.
  void send();
  void sendAsynchronously();
  // Blocks (running a local event loop) until the request has finished or failed.
  std::shared_ptr<RestResponse> sendSynchronously();
  // Stops a loading request (a queued one through its queue, which then moves on).
  void cancel();
  // Cancels without involving the queue; used by the queue itself.
  void cancelLoad(bool informDelegate = true);
  void reset();

  // --- Derived
  QString HTTPMethod() const;
  bool isGET() const { return m_method == RestRequestMethodGET; }
  bool isPOST() const { return m_method == RestRequestMethodPOST; }
  bool isPUT() const { return m_method == RestRequestMethodPUT; }
  bool isDELETE() const { return m_method == RestRequestMethodDELETE; }
  bool isHEAD() const { return m_method == RestRequestMethodHEAD; }
  QString resourcePath() const;
  void setResourcePath(const QString& resourcePath);
  bool wasSentToResourcePath(const QString& resourcePath) const { return this->resourcePath() == resourcePath; }
  QByteArray HTTPBody() const;
  QString HTTPBodyString() const { return QString::fromUtf8(HTTPBody()); }
  // Only reads are stored: a command's answer says what happened once, and the sign-in's holds
  // the session and the account.
  bool isCacheable() const { return m_method == RestRequestMethodGET; }
  // MD5 of the URL without its session, method and body; "" for DELETE.
  QString cacheKey() const;

  // --- Steps a subclass may extend (the object loader maps the answer here).
  virtual void didFinishLoad(const std::shared_ptr<RestResponse>& response);
  virtual void didFailLoadWithError(const foundation::Error& error);

 protected:
  virtual void prepareURLRequest();
  // The state and cache step of a finished load (a 304 replaced by the cached answer, a 2xx
  // stored); returns the response to report. Subclasses that report later call it first.
  std::shared_ptr<RestResponse> completeLoad(const std::shared_ptr<RestResponse>& response);
  // With the policy's load-on-error bit, finishes with the cached answer instead of failing.
  bool answerFromCacheOnError();
  // Stops a delivery under way; true when there was one.
  virtual bool cancelDelivery() { return false; }
  // The state of a failed load: not loading, a response carrying the error.
  void completeFailure(const foundation::Error& error);
  void postNotification(const char* name, foundation::UserInfo info = {});
  // Hands over the reference a loading request keeps to itself (the caller decides how long
  // the request must live on).
  std::shared_ptr<RestRequest> takeSelfReference() { return std::move(m_self); }

 private:
  bool shouldLoadFromCache() const;
  HeaderMap storedHeaders() const;
  bool cacheHasResponse() const;
  std::shared_ptr<RestResponse> cachedResponse();
  // With the stored-only policy: answers from the stored answer or fails, and says it did.
  bool answeredFromStoreOnly();
  bool unreachable() const;
  foundation::Error unreachableError() const;
  void fire();
  void startTransfer();
  void abortTransfer(int errorCode, const QString& message);
  void dropReply();
  void touch();
  void watchTransfer();
  void unwatchTransfer();
  // Whether the server's certificate may be used; a refusal is logged and announced
  // (RestServerCertificateRefusedNotification) before the handshake fails.
  bool admitServerCertificate(const QList<QSslError>& errors);
  void onEncrypted();
  void onMetaData();
  void onReadyRead();
  void onFinished();
  void onSslErrors(const QList<QSslError>& errors);
  void onRedirected(const QUrl& target);
  void releaseSelf();

  QUrl m_url;
  std::optional<RestURL> m_restURL;
  RestRequestMethod m_method = RestRequestMethodGET;
  std::shared_ptr<RestRequestParams> m_params;
  HTTPHeaderList m_additionalHTTPHeaders;
  RestRequestDelegate* m_delegate = nullptr;
  std::weak_ptr<RestRequestQueue> m_queue;
  std::shared_ptr<RestRequestCache> m_cache;
  int m_cachePolicy = RestRequestCachePolicyDefault;
  double m_cacheTimeoutInterval = 0;
  std::shared_ptr<RestReachabilityObserver> m_reachabilityObserver;
  std::any m_userData;
  QString m_username;
  QString m_password;
  int m_authenticationType = RestRequestAuthenticationTypeNone;
  RestRequestBackgroundPolicy m_backgroundPolicy = RestRequestBackgroundPolicyNone;
  double m_timeoutInterval = kRestDefaultTimeoutInterval;
  double m_deadlineInterval = kRestDefaultDeadlineInterval;
  qint64 m_maximumResponseBodySize = kRestDefaultMaximumResponseBodySize;

  bool m_isLoading = false;
  bool m_isLoaded = false;
  bool m_sentSynchronously = false;
  std::shared_ptr<RestResponse> m_response;
  HTTPHeaderList m_preparedHeaders;
  QNetworkRequest m_URLRequest;
  QByteArray m_preparedBody;
  bool m_sendsBody = false;

  // The live transfer.
  QPointer<QNetworkReply> m_reply;
  std::shared_ptr<RestResponse> m_loadingResponse;
  quint64 m_watchId = 0;  // in the thread's transfer watchdog while a transfer runs
  int m_abortCode = 0;
  QString m_abortMessage;
  qint64 m_bytesSent = 0;
  int m_authenticationAttempts = 0;
  std::shared_ptr<RestRequest> m_self;  // keeps a loading request alive
  mutable QString m_cacheKey;  // computed once per URL, method and params
  mutable QString m_urlString;  // computed once per URL
  mutable QString m_cacheURLString;
  mutable std::optional<HeaderMap> m_storedHeaders;  // the cache entry as seen by the current send
  bool m_sentEntityTag = false;     // the transfer under way carries If-None-Match
  bool m_withoutEntityTag = false;  // this send asks for the whole answer (its entry went away)

  friend class RestTransport;
};

}  // namespace rest
