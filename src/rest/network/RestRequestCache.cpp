#include "rest/network/RestRequestCache.h"

#include "foundation/Clock.h"
#include "foundation/Digest.h"
#include "foundation/Logging.h"
#include "rest/network/RestRequest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QMutex>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace rest {

namespace {

constexpr const char* kSessionStore = "SessionStore";
constexpr const char* kPermanentStore = "PermanentStore";
constexpr const char* kHeadersExtension = ".headers";
// Integrity of the body file, checked on every read.
constexpr const char* kBodySizeKey = "X-REST-CACHED-BODY-SIZE";
constexpr const char* kBodyDigestKey = "X-REST-CACHED-BODY-MD5";
// Files left by an interrupted write are removed once they are this old.
constexpr qint64 kOrphanAgeSeconds = 60;

QMutex g_directoryMutex;
QString g_cachesDirectory;

QString key(const char* text) { return QString::fromLatin1(text); }

// Response headers that carry credentials or session state are never written to disk.
bool isSensitiveHeader(const QString& name) {
  static const QStringList names = {QStringLiteral("Set-Cookie"), QStringLiteral("Set-Cookie2"), QStringLiteral("Cookie"),
                                    QStringLiteral("Authorization"), QStringLiteral("Proxy-Authorization"),
                                    QStringLiteral("Proxy-Authenticate"), QStringLiteral("WWW-Authenticate")};
  for (const QString& sensitive : names)
    if (name.compare(sensitive, Qt::CaseInsensitive) == 0) return true;
  return false;
}

// The session identifier a URL carries as a ";jsessionid=" matrix parameter, or "".
QString sessionIdentifier(const QUrl& url) {
  const QString path = url.path(QUrl::FullyEncoded);
  const qsizetype at = path.lastIndexOf(QStringLiteral(";jsessionid="), -1, Qt::CaseInsensitive);
  if (at < 0) return QString();
  QString value = path.mid(at + 12);
  for (QChar stop : {QChar('/'), QChar(';'), QChar('?')}) {
    const qsizetype end = value.indexOf(stop);
    if (end >= 0) value.truncate(end);
  }
  return value;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

RestRequestCache::RestRequestCache(const QString& cachePath, RestRequestCacheStoragePolicy storagePolicy)
    : m_cachePath(cachePath) {
  for (const char* store : {kSessionStore, kPermanentStore}) {
    const QString path = QDir(m_cachePath).filePath(key(store));
    if (!QDir().mkpath(path)) qCWarning(lcRestCache) << "Cannot create the cache folder" << path;
  }
  setStoragePolicy(storagePolicy);
}

QString RestRequestCache::cachesDirectory() {
  QMutexLocker lock(&g_directoryMutex);
  if (!g_cachesDirectory.isEmpty()) return g_cachesDirectory;
  return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

void RestRequestCache::setCachesDirectory(const QString& path) {
  QMutexLocker lock(&g_directoryMutex);
  g_cachesDirectory = path;
}

QString RestRequestCache::cachePathForHost(const QString& host) {
  return QDir(cachesDirectory()).filePath(QStringLiteral("RestClientRequestCache-%1").arg(host));
}

RestRequestCacheStoragePolicy RestRequestCache::storagePolicy() const {
  std::lock_guard lock(m_mutex);
  return m_storagePolicy;
}

void RestRequestCache::setStoragePolicy(RestRequestCacheStoragePolicy policy) {
  std::lock_guard lock(m_mutex);
  invalidateWithStoragePolicy(RestRequestCacheStoragePolicyForDurationOfSession);
  if (policy == RestRequestCacheStoragePolicyDisabled) invalidateWithStoragePolicy(RestRequestCacheStoragePolicyPermanently);
  m_storagePolicy = policy;
}

qint64 RestRequestCache::storeLimit() const {
  std::lock_guard lock(m_mutex);
  return m_storeLimit;
}

void RestRequestCache::setStoreLimit(qint64 bytes) {
  std::lock_guard lock(m_mutex);
  m_storeLimit = bytes;
}

QString RestRequestCache::storePath(RestRequestCacheStoragePolicy policy) const {
  switch (policy) {
    case RestRequestCacheStoragePolicyForDurationOfSession: return QDir(m_cachePath).filePath(key(kSessionStore));
    case RestRequestCacheStoragePolicyPermanently: return QDir(m_cachePath).filePath(key(kPermanentStore));
    case RestRequestCacheStoragePolicyDisabled: break;
  }
  return QString();
}

QString RestRequestCache::pathForRequest(const RestRequest* request) const {
  std::lock_guard lock(m_mutex);
  const QString store = storePath(m_storagePolicy);
  const QString cacheKey = request->cacheKey();
  if (store.isEmpty() || cacheKey.isEmpty()) return QString();
  return QDir(store).filePath(cacheKey);
}

void RestRequestCache::removeEntryFiles(const QString& path) {
  QFile::remove(path + key(kHeadersExtension));
  QFile::remove(path);
}

std::optional<RestRequestCache::Entry> RestRequestCache::readEntry(const RestRequest* request) {
  std::lock_guard lock(m_mutex);
  const QString path = pathForRequest(request);
  if (path.isEmpty()) return std::nullopt;
  QFile headersFile(path + key(kHeadersExtension));
  QFile bodyFile(path);
  const bool headersExist = headersFile.exists();
  const bool bodyExists = bodyFile.exists();
  if (!headersExist && !bodyExists) return std::nullopt;

  auto discard = [&](const char* why) -> std::optional<Entry> {
    qCWarning(lcRestCache) << "Discarding the cache entry" << QFileInfo(path).fileName() << ":" << why;
    removeEntryFiles(path);
    return std::nullopt;
  };
  if (!headersExist || !bodyExists) return discard("a file is missing");
  if (!headersFile.open(QIODevice::ReadOnly)) return discard("the headers cannot be read");
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(headersFile.readAll(), &parseError);
  if (parseError.error != QJsonParseError::NoError || !document.isObject()) return discard("the headers do not parse");
  const QJsonObject object = document.object();
  if (!object.value(key(kCachedResponseCodeHeaderKey)).isDouble()) return discard("no response code");
  if (object.value(key(kCachedURLHeaderKey)).toString() != QString::fromUtf8(request->URL().toEncoded()))
    return discard("stored for another URL");
  if (!bodyFile.open(QIODevice::ReadOnly)) return discard("the body cannot be read");
  Entry entry;
  entry.body = bodyFile.readAll();
  if (object.value(key(kBodySizeKey)).toString() != QString::number(entry.body.size()) ||
      object.value(key(kBodyDigestKey)).toString() != foundation::md5Hex(entry.body))
    return discard("the body does not match its headers");
  for (auto it = object.begin(); it != object.end(); ++it) {
    if (it.key() == key(kBodySizeKey) || it.key() == key(kBodyDigestKey)) continue;
    entry.headers.insert(it.key(), it.value().isDouble() ? QString::number(it.value().toInteger()) : it.value().toString());
  }
  return entry;
}

bool RestRequestCache::hasResponseForRequest(const RestRequest* request) { return readEntry(request).has_value(); }

std::shared_ptr<RestResponse> RestRequestCache::responseForRequest(RestRequest* request) {
  auto entry = readEntry(request);
  if (!entry) return nullptr;
  return std::make_shared<RestResponse>(request, std::move(entry->body), std::move(entry->headers));
}

HeaderMap RestRequestCache::headersForRequest(const RestRequest* request) {
  auto entry = readEntry(request);
  return entry ? entry->headers : HeaderMap();
}

QString RestRequestCache::etagForRequest(const RestRequest* request) {
  const HeaderMap headers = headersForRequest(request);
  for (auto it = headers.begin(); it != headers.end(); ++it)
    if (it.key().compare(QStringLiteral("ETag"), Qt::CaseInsensitive) == 0) return it.value();
  return QString();
}

QDateTime RestRequestCache::cacheDateForRequest(const RestRequest* request) {
  const HeaderMap headers = headersForRequest(request);
  const auto it = headers.find(key(kCacheDateHeaderKey));
  return it == headers.end() ? QDateTime() : parseCacheDate(it.value());
}

bool RestRequestCache::writeHeaders(const QString& path, const HeaderMap& headers, qint64 bodySize, const QString& bodyDigest) {
  QJsonObject object;
  for (auto it = headers.begin(); it != headers.end(); ++it) object.insert(it.key(), it.value());
  object.insert(key(kCachedResponseCodeHeaderKey), headers.value(key(kCachedResponseCodeHeaderKey)).toInt());
  object.insert(key(kBodySizeKey), QString::number(bodySize));
  object.insert(key(kBodyDigestKey), bodyDigest);
  return writeFileAtomically(path + key(kHeadersExtension), QJsonDocument(object).toJson(QJsonDocument::Compact));
}

void RestRequestCache::storeResponseForRequest(const RestResponse* response, const RestRequest* request) {
  std::lock_guard lock(m_mutex);
  const QString path = pathForRequest(request);
  if (path.isEmpty() || !request->isCacheable()) return;
  const QByteArray& body = response->body();
  if (body.size() > m_storeLimit) {
    qCInfo(lcRestCache) << "Not caching an answer larger than the store" << body.size();
    return;
  }
  const QString password = request->password();
  const QString session = sessionIdentifier(request->URL());
  HeaderMap headers;
  const HeaderMap received = response->allHeaderFields();
  for (auto it = received.begin(); it != received.end(); ++it) {
    if (isSensitiveHeader(it.key())) continue;
    if (it.key().startsWith(QStringLiteral("X-REST-"), Qt::CaseInsensitive)) continue;
    if (!password.isEmpty() && it.value().contains(password)) continue;
    if (!session.isEmpty() && it.value().contains(session)) continue;
    headers.insert(it.key(), it.value());
  }
  headers.insert(key(kCacheDateHeaderKey), formatCacheDate(foundation::scheduler().now()));
  headers.insert(key(kCachedResponseCodeHeaderKey), QString::number(response->statusCode()));
  headers.insert(key(kCachedMIMETypeHeaderKey), response->MIMEType());
  headers.insert(key(kCachedURLHeaderKey), QString::fromUtf8(request->URL().toEncoded()));

  QDir().mkpath(QFileInfo(path).path());
  // The old headers go first, so that no reader pairs them with the new body.
  QFile::remove(path + key(kHeadersExtension));
  if (!writeFileAtomically(path, body) || !writeHeaders(path, headers, body.size(), foundation::md5Hex(body))) {
    qCWarning(lcRestCache) << "Cannot write the cache entry" << path;
    removeEntryFiles(path);
    return;
  }
  enforceLimit(QFileInfo(path).path());
}

void RestRequestCache::setCacheDateForRequest(const QDateTime& date, const RestRequest* request) {
  std::lock_guard lock(m_mutex);
  auto entry = readEntry(request);
  if (!entry) return;
  entry->headers.insert(key(kCacheDateHeaderKey), formatCacheDate(date));
  const QString path = pathForRequest(request);
  if (!writeHeaders(path, entry->headers, entry->body.size(), foundation::md5Hex(entry->body)))
    qCWarning(lcRestCache) << "Cannot update the cache date of" << path;
}

void RestRequestCache::invalidateRequest(const RestRequest* request) {
  std::lock_guard lock(m_mutex);
  const QString path = pathForRequest(request);
  if (!path.isEmpty()) removeEntryFiles(path);
}

void RestRequestCache::invalidateWithStoragePolicy(RestRequestCacheStoragePolicy policy) {
  std::lock_guard lock(m_mutex);
  const QString store = storePath(policy);
  if (store.isEmpty()) return;
  QDir dir(store);
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) dir.remove(name);
}

void RestRequestCache::invalidateAll() {
  std::lock_guard lock(m_mutex);
  invalidateWithStoragePolicy(RestRequestCacheStoragePolicyForDurationOfSession);
  invalidateWithStoragePolicy(RestRequestCacheStoragePolicyPermanently);
}

void RestRequestCache::enforceLimit(const QString& store) {
  struct Item {
    QString bodyPath;
    qint64 size;
    QDateTime date;
  };
  QDir dir(store);
  const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden);
  QList<Item> entries;
  qint64 total = 0;
  const QDateTime now = QDateTime::currentDateTimeUtc();
  for (const QFileInfo& info : files) {
    const QString name = info.fileName();
    if (name.endsWith(key(kHeadersExtension))) {
      const QFileInfo body(dir.filePath(name.chopped(int(qstrlen(kHeadersExtension)))));
      if (!body.exists() && info.lastModified().secsTo(now) > kOrphanAgeSeconds) QFile::remove(info.filePath());
      continue;
    }
    const QFileInfo headers(info.filePath() + key(kHeadersExtension));
    if (!headers.exists()) {
      // A body without headers (or a temporary file) that no writer is still working on.
      if (info.lastModified().secsTo(now) > kOrphanAgeSeconds) QFile::remove(info.filePath());
      continue;
    }
    entries.append({info.filePath(), info.size() + headers.size(), headers.lastModified()});
    total += info.size() + headers.size();
  }
  if (total <= m_storeLimit) return;
  std::sort(entries.begin(), entries.end(), [](const Item& a, const Item& b) { return a.date < b.date; });
  for (const Item& item : entries) {
    if (total <= m_storeLimit) break;
    removeEntryFiles(item.bodyPath);
    total -= item.size;
  }
}

QString RestRequestCache::formatCacheDate(const QDateTime& date) {
  return QLocale::c().toString(date.toUTC(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"));
}

QDateTime RestRequestCache::parseCacheDate(const QString& text) {
  QDateTime date = QLocale::c().toDateTime(text, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"));
  if (!date.isValid()) return {};
  date.setTimeZone(QTimeZone::utc());
  return date;
}

}  // namespace rest
