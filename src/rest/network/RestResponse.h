#pragma once
// The answer to a request: status, headers and body as received, or as rebuilt from the response
// cache, or the transport failure that ended the request.
#include "foundation/Result.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QUrl>

#include <optional>

namespace rest {

class RestRequest;

using HeaderMap = QMap<QString, QString>;

class RestResponse {
 public:
  explicit RestResponse(RestRequest* request);
  // A response rebuilt from a cache entry: status code, MIME type and URL come from the stored
  // "X-REST-CACHED-..." keys of `cachedHeaders`.
  RestResponse(RestRequest* request, QByteArray body, HeaderMap cachedHeaders);

  RestRequest* request() const { return m_request; }

  // Filled by the transport as the answer arrives.
  void setHTTPResponse(int statusCode, QList<QPair<QByteArray, QByteArray>> headers, QUrl url);
  void appendBody(const QByteArray& chunk) { m_body.append(chunk); }
  void setFailureError(foundation::Error error) { m_failureError = std::move(error); }

  bool hasHTTPResponse() const { return m_hasHTTPResponse || wasLoadedFromCache(); }
  const QByteArray& body() const { return m_body; }
  QString bodyAsString() const { return QString::fromUtf8(m_body); }
  const std::optional<foundation::Error>& failureError() const { return m_failureError; }
  const std::optional<HeaderMap>& responseHeaders() const { return m_cachedHeaders; }
  bool wasLoadedFromCache() const { return m_cachedHeaders.has_value(); }

  int statusCode() const;
  QString MIMEType() const;  // "type/subtype" of Content-Type, lower case
  QUrl URL() const;
  // Every header field; repeated fields are joined with ", " as one field.
  HeaderMap allHeaderFields() const;
  // Case-insensitive lookup; "" when absent.
  QString headerValue(const QString& name) const;
  QString contentType() const { return headerValue(QStringLiteral("Content-Type")); }
  QString contentLength() const { return headerValue(QStringLiteral("Content-Length")); }
  QString location() const { return headerValue(QStringLiteral("Location")); }
  // The header fields as received, in order (empty for a cached response).
  const QList<QPair<QByteArray, QByteArray>>& rawHeaders() const { return m_rawHeaders; }

  bool isInvalid() const;
  bool isInformational() const;
  bool isSuccessful() const;
  bool isRedirection() const;
  bool isClientError() const;
  bool isServerError() const;
  bool isError() const;
  bool isOK() const;
  bool isCreated() const;
  bool isNotModified() const;
  bool isUnauthorized() const;
  bool isForbidden() const;
  bool isNotFound() const;
  bool isConflict() const;
  bool isGone() const;
  bool isUnprocessableEntity() const;
  bool isRedirect() const;
  bool isEmpty() const;
  bool isServiceUnavailable() const;
  bool isFailure() const { return m_failureError.has_value(); }
  bool isJSON() const;
  bool isXML() const;
  bool isHTML() const;
  bool isXHTML() const;

 private:
  RestRequest* m_request;
  int m_statusCode = 0;
  bool m_hasHTTPResponse = false;
  QList<QPair<QByteArray, QByteArray>> m_rawHeaders;
  QUrl m_url;
  QByteArray m_body;
  std::optional<foundation::Error> m_failureError;
  std::optional<HeaderMap> m_cachedHeaders;
};

// Keys of the stored header map of a cache entry.
inline constexpr const char* kCacheDateHeaderKey = "X-REST-CACHEDATE";
inline constexpr const char* kCachedResponseCodeHeaderKey = "X-REST-CACHED-RESPONSE-CODE";
inline constexpr const char* kCachedMIMETypeHeaderKey = "X-REST-CACHED-MIME-TYPE";
inline constexpr const char* kCachedURLHeaderKey = "X-REST-CACHED-URL";

}  // namespace rest
