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
  QString result(basePath.size() + component.size() + 2, Qt::Uninitialized);
  QChar* const begin = result.data();
  QChar* out = begin;
  *out++ = QLatin1Char('/');  // a leading "/" in any case; a second one is collapsed below
  for (QStringView part : {QStringView(basePath), QStringView(u"/"), QStringView(component)}) {
    for (QChar c : part) {
      if (c == QLatin1Char('/') && out[-1] == QLatin1Char('/')) continue;
      *out++ = c;
    }
  }
  while (out - begin > 1 && out[-1] == QLatin1Char('/')) --out;
  result.truncate(out - begin);
  return result;
}

// A client builds every URL on the same base: its parts are kept from one call to the next.
struct ParsedBase {
  QString text;
  bool filled = false;
  bool valid = false;
  QString prefix;  // "scheme://authority", encoded
  QString path;    // encoded
};

const ParsedBase& parseBase(const QString& baseURLString) {
  thread_local ParsedBase last;
  if (last.filled && last.text == baseURLString) return last;
  const QUrl base(baseURLString, QUrl::StrictMode);
  last.text = baseURLString;
  last.filled = true;
  last.valid = base.isValid() && !base.isRelative() && !base.host().isEmpty();
  last.prefix = base.toString(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::FullyEncoded |
                              QUrl::StripTrailingSlash);
  last.path = base.path(QUrl::FullyEncoded);
  return last;
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
  const ParsedBase& base = parseBase(baseURLString);
  if (!base.valid) return std::nullopt;

  QString path = resourcePath;
  QString query;
  if (const qsizetype q = path.indexOf('?'); q >= 0) {
    query = path.mid(q + 1);
    path.truncate(q);
  }
  if (!queryParams.isEmpty()) query = query.isEmpty() ? URLEncodedQuery(queryParams) : query + '&' + URLEncodedQuery(queryParams);

  QString joined = joinPathComponent(base.path, path);
  // The join drops a trailing "/" that the service may need ("/gateway/x/mode/").
  if (path.endsWith('/') && !joined.endsWith('/')) joined += '/';

  QString absolute = base.prefix + joined;
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
