#include "rest/network/RestURL.h"

#include <QStringList>

namespace rest {

namespace {

QString encode(const QString& text) {
  // Everything but the unreserved characters, so "&", "=", "[" and "]" in data never split a pair.
  return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

void appendPairs(QStringList& pairs, const QString& key, const QVariant& value) {
  const int type = value.typeId();
  if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
    for (const QVariant& element : value.toList()) pairs << encode(key + QStringLiteral("[]")) + '=' + encode(element.toString());
  } else if (type == QMetaType::QVariantMap) {
    const QVariantMap inner = value.toMap();
    for (auto it = inner.begin(); it != inner.end(); ++it)
      appendPairs(pairs, key + '[' + it.key() + ']', it.value());
  } else {
    pairs << encode(key) + '=' + encode(value.toString());
  }
}

// Joins path components the way a file-system path join does: exactly one "/" between the parts,
// runs of "/" collapsed, no trailing "/".
QString joinPathComponent(const QString& basePath, const QString& component) {
  QString joined = basePath + '/' + component;
  QString result;
  result.reserve(joined.size());
  for (QChar c : joined) {
    if (c == '/' && result.endsWith('/')) continue;
    result.append(c);
  }
  while (result.size() > 1 && result.endsWith('/')) result.chop(1);
  if (!result.startsWith('/')) result.prepend('/');
  return result;
}

}  // namespace

QString URLEncodedQuery(const QVariantMap& params) {
  QStringList pairs;
  for (auto it = params.begin(); it != params.end(); ++it) appendPairs(pairs, it.key(), it.value());
  return pairs.join('&');
}

QString resourcePathWithQueryParams(const QString& path, const QVariantMap& params) {
  if (params.isEmpty()) return path;
  return QStringLiteral("%1?%2").arg(path, URLEncodedQuery(params));
}

std::optional<RestURL> RestURL::URLWithBaseURLString(const QString& baseURLString, const QString& resourcePath,
                                                     const QVariantMap& queryParams) {
  const QUrl base(baseURLString, QUrl::StrictMode);
  if (!base.isValid() || base.isRelative() || base.host().isEmpty()) return std::nullopt;

  QString path = resourcePath;
  QString query;
  if (const qsizetype q = path.indexOf('?'); q >= 0) {
    query = path.mid(q + 1);
    path.truncate(q);
  }
  if (!queryParams.isEmpty()) query = query.isEmpty() ? URLEncodedQuery(queryParams) : query + '&' + URLEncodedQuery(queryParams);

  QString joined = joinPathComponent(base.path(QUrl::FullyEncoded), path);
  // The join drops a trailing "/" that the service may need ("/gateway/x/mode/").
  if (path.endsWith('/') && !joined.endsWith('/')) joined += '/';

  QString absolute = base.toString(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::FullyEncoded |
                                   QUrl::StripTrailingSlash) + joined;
  if (!query.isEmpty()) absolute += '?' + query;
  const QUrl url = QUrl::fromEncoded(absolute.toUtf8(), QUrl::TolerantMode);
  if (!url.isValid() || url.isRelative()) return std::nullopt;

  RestURL result;
  result.m_base = baseURLString;
  result.m_resourcePath = resourcePath;
  result.m_queryParams = queryParams;
  result.m_url = url;
  result.m_absolute = QString::fromUtf8(url.toEncoded());
  return result;
}

}  // namespace rest
