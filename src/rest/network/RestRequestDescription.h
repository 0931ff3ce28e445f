#pragma once
// What a request asks for, apart from sending it: the URL, method, headers, body, credentials,
// time limits, cache policy and the caller's data, with what is derived from them (the body, the
// cache key). Plain data: it knows no transport, cache or queue.
#include "rest/network/RestRequestParams.h"
#include "rest/network/RestURL.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <any>
#include <memory>
#include <optional>

namespace rest {

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

class RestRequestDescription {
 public:
  explicit RestRequestDescription(const RestURL& URL) : m_url(URL.url()), m_restURL(URL) {}
  // A request on a URL that was not made from a base URL and resource path.
  explicit RestRequestDescription(const QUrl& URL) : m_url(URL) {}

  QUrl URL() const { return m_url; }
  // The URL percent-encoded, as sent (made once per URL).
  const QString& URLString() const;
  // The URL without its secrets: what the response cache keys and stores, so that a later
  // session of the same user finds the entry again and no session identifier is written.
  const QString& cacheURLString() const;
  // The URL as it may be logged or quoted in an error.
  QString loggableURLString() const;
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

  int cachePolicy() const { return m_cachePolicy; }
  void setCachePolicy(int policy) { m_cachePolicy = policy; }
  double cacheTimeoutInterval() const { return m_cacheTimeoutInterval; }
  void setCacheTimeoutInterval(double seconds) { m_cacheTimeoutInterval = seconds; }
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

  QString HTTPMethod() const;
  bool isGET() const { return m_method == RestRequestMethodGET; }
  bool isPOST() const { return m_method == RestRequestMethodPOST; }
  bool isPUT() const { return m_method == RestRequestMethodPUT; }
  bool isDELETE() const { return m_method == RestRequestMethodDELETE; }
  bool isHEAD() const { return m_method == RestRequestMethodHEAD; }
  QString resourcePath() const;
  void setResourcePath(const QString& resourcePath);
  bool wasSentToResourcePath(const QString& resourcePath) const { return this->resourcePath() == resourcePath; }
  // Whether the method carries the params' body (GET and HEAD never do).
  bool sendsBody() const { return m_params && m_method != RestRequestMethodGET && m_method != RestRequestMethodHEAD; }
  QByteArray HTTPBody() const;
  QString HTTPBodyString() const { return QString::fromUtf8(HTTPBody()); }
  // Only reads are stored: a command's answer says what happened once, and the sign-in's holds
  // the session and the account.
  bool isCacheable() const { return m_method == RestRequestMethodGET; }
  // MD5 of the URL without its secrets, method and body; "" for DELETE.
  QString cacheKey() const;

 private:
  QUrl m_url;
  std::optional<RestURL> m_restURL;
  RestRequestMethod m_method = RestRequestMethodGET;
  std::shared_ptr<RestRequestParams> m_params;
  HTTPHeaderList m_additionalHTTPHeaders;
  int m_cachePolicy = RestRequestCachePolicyDefault;
  double m_cacheTimeoutInterval = 0;
  std::any m_userData;
  QString m_username;
  QString m_password;
  int m_authenticationType = RestRequestAuthenticationTypeNone;
  RestRequestBackgroundPolicy m_backgroundPolicy = RestRequestBackgroundPolicyNone;
  double m_timeoutInterval = kRestDefaultTimeoutInterval;
  double m_deadlineInterval = kRestDefaultDeadlineInterval;
  qint64 m_maximumResponseBodySize = kRestDefaultMaximumResponseBodySize;

  mutable QString m_cacheKey;  // computed once per URL, method and params
  mutable QString m_urlString;  // computed once per URL
  mutable QString m_cacheURLString;
};

}  // namespace rest
