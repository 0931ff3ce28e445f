#include "rest/network/RestRequestDescription.h"

#include "foundation/Digest.h"
#include "foundation/Logging.h"
#include "rest/support/LoggableURL.h"

namespace rest {

void setHeaderValue(HTTPHeaderList& headers, const QString& name, const QString& value) {
  for (auto& entry : headers) {
    if (entry.first.compare(name, Qt::CaseInsensitive) == 0) {
      entry.second = value;
      return;
    }
  }
  headers.append({name, value});
}

namespace {

// The platform's textual form of a byte buffer: "<0011aabb ccdd>", eight hex digits per group.
QString bytesDescription(const QByteArray& bytes) {
  const QByteArray hex = bytes.toHex();
  QString text = QStringLiteral("<");
  for (qsizetype i = 0; i < hex.size(); i += 8) {
    if (i > 0) text += ' ';
    text += QString::fromLatin1(hex.mid(i, 8));
  }
  return text + '>';
}

}  // namespace

QString RestRequestDescription::HTTPMethod() const {
  switch (m_method) {
    case RestRequestMethodGET: return QStringLiteral("GET");
    case RestRequestMethodPOST: return QStringLiteral("POST");
    case RestRequestMethodPUT: return QStringLiteral("PUT");
    case RestRequestMethodDELETE: return QStringLiteral("DELETE");
    case RestRequestMethodHEAD: return QStringLiteral("HEAD");
  }
  return QStringLiteral("GET");
}

QString RestRequestDescription::resourcePath() const { return m_restURL ? m_restURL->resourcePath() : QString(); }

void RestRequestDescription::setResourcePath(const QString& resourcePath) {
  if (!m_restURL) qFatal("Resource path can only be mutated when self.URL is an RestURL instance");
  auto rebuilt = RestURL::URLWithBaseURLString(m_restURL->baseURLString(), resourcePath, m_restURL->queryParams());
  if (!rebuilt) {
    qCWarning(lcRestNetwork).noquote() << "Cannot build a URL for the resource path" << loggableURL(resourcePath);
    return;
  }
  m_restURL = *rebuilt;
  m_url = rebuilt->url();
  m_urlString.clear();
  m_cacheURLString.clear();
  m_cacheKey.clear();
}

QByteArray RestRequestDescription::HTTPBody() const { return sendsBody() ? m_params->HTTPBody() : QByteArray(); }

const QString& RestRequestDescription::URLString() const {
  if (m_urlString.isEmpty()) m_urlString = m_restURL ? m_restURL->absoluteString() : QString::fromUtf8(m_url.toEncoded());
  return m_urlString;
}

const QString& RestRequestDescription::cacheURLString() const {
  if (m_cacheURLString.isEmpty()) m_cacheURLString = URLWithoutSecrets(URLString());
  return m_cacheURLString;
}

QString RestRequestDescription::loggableURLString() const { return loggableURL(m_url); }

QString RestRequestDescription::cacheKey() const {
  if (m_method == RestRequestMethodDELETE) return QString();
  if (!m_cacheKey.isEmpty()) return m_cacheKey;
  // "<url>-<method>[-<body description>]", joined as they are: substituting into a pattern would
  // also substitute percent escapes of the URL ("%2F" read as a place marker), and distinct URLs
  // would share a key.
  QByteArray material = cacheURLString().toUtf8();
  material += '-';
  material += QByteArray::number(int(m_method));
  const QByteArray body = m_params ? m_params->HTTPBody() : QByteArray();
  if (m_params && !body.isNull()) {
    material += '-';
    material += bytesDescription(body).toUtf8();
  }
  m_cacheKey = foundation::md5Hex(material);
  return m_cacheKey;
}

}  // namespace rest
