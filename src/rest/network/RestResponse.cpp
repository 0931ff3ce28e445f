#include "rest/network/RestResponse.h"

namespace rest {

RestResponse::RestResponse(RestRequest* request) : m_request(request) {}

RestResponse::RestResponse(RestRequest* request, QByteArray body, HeaderMap cachedHeaders)
    : m_request(request), m_body(std::move(body)), m_cachedHeaders(std::move(cachedHeaders)) {}

void RestResponse::setHTTPResponse(int statusCode, QList<QPair<QByteArray, QByteArray>> headers, QUrl url) {
  m_hasHTTPResponse = true;
  m_statusCode = statusCode;
  m_rawHeaders = std::move(headers);
  m_url = std::move(url);
}

int RestResponse::statusCode() const {
  if (m_cachedHeaders) return m_cachedHeaders->value(QString::fromLatin1(kCachedResponseCodeHeaderKey)).toInt();
  return m_statusCode;
}

QString RestResponse::MIMEType() const {
  if (m_cachedHeaders) return m_cachedHeaders->value(QString::fromLatin1(kCachedMIMETypeHeaderKey));
  const QString type = contentType();
  const qsizetype end = type.indexOf(QLatin1Char(';'));
  return QStringView(type).left(end < 0 ? type.size() : end).trimmed().toString().toLower();
}

QUrl RestResponse::URL() const {
  if (m_cachedHeaders) return QUrl(m_cachedHeaders->value(QString::fromLatin1(kCachedURLHeaderKey)));
  return m_url;
}

HeaderMap RestResponse::allHeaderFields() const {
  if (m_cachedHeaders) return *m_cachedHeaders;
  HeaderMap fields;
  for (const auto& [name, value] : m_rawHeaders) {
    const QString key = QString::fromLatin1(name);
    auto it = fields.begin();
    while (it != fields.end() && it.key().compare(key, Qt::CaseInsensitive) != 0) ++it;
    if (it == fields.end()) fields.insert(key, QString::fromLatin1(value));
    else it.value() += QStringLiteral(", ") + QString::fromLatin1(value);
  }
  return fields;
}

QString RestResponse::headerValue(const QString& name) const {
  if (m_cachedHeaders) {
    for (auto it = m_cachedHeaders->begin(); it != m_cachedHeaders->end(); ++it)
      if (it.key().compare(name, Qt::CaseInsensitive) == 0) return it.value();
    return QString();
  }
  const QByteArray key = name.toLatin1();
  for (const auto& [field, value] : m_rawHeaders)
    if (field.compare(key, Qt::CaseInsensitive) == 0) return QString::fromLatin1(value);
  return QString();
}

bool RestResponse::isInvalid() const { return statusCode() < 100 || statusCode() > 600; }
bool RestResponse::isInformational() const { return statusCode() >= 100 && statusCode() < 200; }
bool RestResponse::isSuccessful() const { return (statusCode() >= 200 && statusCode() < 300) || wasLoadedFromCache(); }
bool RestResponse::isRedirection() const { return statusCode() >= 300 && statusCode() < 400; }
bool RestResponse::isClientError() const { return statusCode() >= 400 && statusCode() < 500; }
bool RestResponse::isServerError() const { return statusCode() >= 500 && statusCode() < 600; }
bool RestResponse::isError() const { return isClientError() || isServerError(); }
bool RestResponse::isOK() const { return statusCode() == 200; }
bool RestResponse::isCreated() const { return statusCode() == 201; }
bool RestResponse::isNotModified() const { return statusCode() == 304; }
bool RestResponse::isUnauthorized() const { return statusCode() == 401; }
bool RestResponse::isForbidden() const { return statusCode() == 403; }
bool RestResponse::isNotFound() const { return statusCode() == 404; }
bool RestResponse::isConflict() const { return statusCode() == 409; }
bool RestResponse::isGone() const { return statusCode() == 410; }
bool RestResponse::isUnprocessableEntity() const { return statusCode() == 422; }
bool RestResponse::isRedirect() const {
  const int code = statusCode();
  return code == 301 || code == 302 || code == 303 || code == 307;
}
bool RestResponse::isEmpty() const {
  const int code = statusCode();
  return code == 201 || code == 204 || code == 304;
}
bool RestResponse::isServiceUnavailable() const { return statusCode() == 503; }
bool RestResponse::isJSON() const { return contentType().contains(QStringLiteral("application/json"), Qt::CaseInsensitive); }
bool RestResponse::isXML() const { return contentType().contains(QStringLiteral("application/xml"), Qt::CaseInsensitive); }
bool RestResponse::isHTML() const {
  const QString type = contentType();
  return type.contains(QStringLiteral("text/html"), Qt::CaseInsensitive) || isXHTML();
}
bool RestResponse::isXHTML() const {
  return contentType().contains(QStringLiteral("application/xhtml+xml"), Qt::CaseInsensitive);
}

}  // namespace rest
