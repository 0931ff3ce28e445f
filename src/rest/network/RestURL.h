#pragma once
// An absolute URL that remembers the base URL, resource path and query it was made from.
#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <optional>

namespace rest {

class RestURL {
 public:
  // Joins `resourcePath` (and the encoded `queryParams`) to the path of `baseURLString`: one "/"
  // between them, a trailing "/" of the resource path kept, matrix parameters (";name=value")
  // left inside the last segment. nullopt when the result is not a valid absolute URL.
  static std::optional<RestURL> URLWithBaseURLString(const QString& baseURLString, const QString& resourcePath,
                                                     const QVariantMap& queryParams = {});

  const QString& baseURLString() const { return m_base; }
  const QString& resourcePath() const { return m_resourcePath; }
  const QVariantMap& queryParams() const { return m_queryParams; }
  const QUrl& url() const { return m_url; }
  // The absolute URL as text, percent-encoded as sent.
  const QString& absoluteString() const { return m_absolute; }

  bool operator==(const RestURL& other) const { return m_absolute == other.m_absolute; }

 private:
  QString m_base;
  QString m_resourcePath;
  QVariantMap m_queryParams;
  QUrl m_url;
  QString m_absolute;
};

// "key=value&..." with keys and values percent-encoded; a list value gives "key[]=v" per element,
// a map value gives "key[inner]=v" per entry. Keys in map order.
QString URLEncodedQuery(const QVariantMap& params);

// `path` followed by "?" and the encoded query when `params` is not empty.
QString resourcePathWithQueryParams(const QString& path, const QVariantMap& params);

}  // namespace rest
