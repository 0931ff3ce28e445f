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
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>

#include <cstdio>
#include <sys/stat.h>

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

// Written under a temporary name, then renamed into place: no reader ever sees a half-written
// file. The old file is removed just before the rename (an entry missing a file reads as
// absent), because renaming over an existing file makes ext4 flush the new data at once, which
// costs milliseconds per answer. There is no explicit flush either: after a power loss a file
// may be short or empty, which the size and digest checks of every read catch.
bool writeFileAtomically(const QString& path, const QByteArray& bytes) {
  const QString temporary = path + QStringLiteral(".tmp-") + QString::number(QRandomGenerator::global()->generate64(), 36);
  QFile file(temporary);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  file.close();
  if (written) QFile::remove(path);
  if (!written || ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
    QFile::remove(temporary);
    return false;
  }
  return true;
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

std::optional<RestRequestCache::FileStamp> RestRequestCache::stampOf(const QString& path) {
  struct stat info;
  if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileStamp{static_cast<quint64>(info.st_ino), static_cast<qint64>(info.st_size),
                   static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

void RestRequestCache::removeEntryFiles(const QString& path) {
  m_checked.remove(path);
  QFile::remove(path + key(kHeadersExtension));
  QFile::remove(path);
}

void RestRequestCache::remember(const QString& path, const HeaderMap& headers, qint64 bodySize, const QString& digest) {
  const auto headersStamp = stampOf(path + key(kHeadersExtension));
  const auto bodyStamp = stampOf(path);
  if (!headersStamp || !bodyStamp) return;
  if (m_checked.size() > 4096) m_checked.clear();
  m_checked.insert(path, CheckedEntry{*headersStamp, *bodyStamp, headers, bodySize, digest});
}

std::optional<RestRequestCache::Entry> RestRequestCache::readEntry(const RestRequest* request, bool withBody) {
  std::lock_guard lock(m_mutex);
  const QString path = pathForRequest(request);
  if (path.isEmpty()) return std::nullopt;
  const auto headersStamp = stampOf(path + key(kHeadersExtension));
  const auto bodyStamp = stampOf(path);
  auto discard = [&](const char* why) -> std::optional<Entry> {
    qCWarning(lcRestCache) << "Discarding the cache entry" << QFileInfo(path).fileName() << ":" << why;
    removeEntryFiles(path);
    return std::nullopt;
  };
  if (!headersStamp && !bodyStamp) {
    m_checked.remove(path);
    return std::nullopt;
  }
  if (!headersStamp || !bodyStamp) return discard("a file is missing");

  if (auto it = m_checked.constFind(path);
      it != m_checked.constEnd() && it->headersStamp == *headersStamp && it->bodyStamp == *bodyStamp) {
    Entry entry{QByteArray(), it->headers, it->bodySize, it->bodyDigest};
    if (!withBody) return entry;
    QFile bodyFile(path);
    if (!bodyFile.open(QIODevice::ReadOnly)) return discard("the body cannot be read");
    entry.body = bodyFile.readAll();
    if (entry.body.size() != entry.bodySize || foundation::md5Hex(entry.body) != entry.bodyDigest)
      return discard("the body does not match its headers");
    return entry;
  }

  QFile headersFile(path + key(kHeadersExtension));
  if (!headersFile.open(QIODevice::ReadOnly)) return discard("the headers cannot be read");
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(headersFile.readAll(), &parseError);
  if (parseError.error != QJsonParseError::NoError || !document.isObject()) return discard("the headers do not parse");
  const QJsonObject object = document.object();
  if (!object.value(key(kCachedResponseCodeHeaderKey)).isDouble()) return discard("no response code");
  if (object.value(key(kCachedURLHeaderKey)).toString() != QString::fromUtf8(request->URL().toEncoded()))
    return discard("stored for another URL");
  QFile bodyFile(path);
  if (!bodyFile.open(QIODevice::ReadOnly)) return discard("the body cannot be read");
  Entry entry;
  entry.body = bodyFile.readAll();
  entry.bodySize = entry.body.size();
  entry.bodyDigest = foundation::md5Hex(entry.body);
  if (object.value(key(kBodySizeKey)).toString() != QString::number(entry.bodySize) ||
      object.value(key(kBodyDigestKey)).toString() != entry.bodyDigest)
    return discard("the body does not match its headers");
  for (auto it = object.begin(); it != object.end(); ++it) {
    if (it.key() == key(kBodySizeKey) || it.key() == key(kBodyDigestKey)) continue;
    entry.headers.insert(it.key(), it.value().isDouble() ? QString::number(it.value().toInteger()) : it.value().toString());
  }
  if (stampOf(path) == bodyStamp && stampOf(path + key(kHeadersExtension)) == headersStamp)
    remember(path, entry.headers, entry.bodySize, entry.bodyDigest);
  if (!withBody) entry.body.clear();
  return entry;
}

bool RestRequestCache::hasResponseForRequest(const RestRequest* request) { return readEntry(request, false).has_value(); }

std::shared_ptr<RestResponse> RestRequestCache::responseForRequest(RestRequest* request) {
  auto entry = readEntry(request, true);
  if (!entry) return nullptr;
  return std::make_shared<RestResponse>(request, std::move(entry->body), std::move(entry->headers));
}

HeaderMap RestRequestCache::headersForRequest(const RestRequest* request) {
  auto entry = readEntry(request, false);
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

  const QString digest = foundation::md5Hex(body);
  // An identical answer stored again would leave identical files: nothing to write.
  if (auto existing = readEntry(request, false);
      existing && existing->bodyDigest == digest && existing->bodySize == body.size() && existing->headers == headers)
    return;
  QDir().mkpath(QFileInfo(path).path());
  // The old entry goes first, so that no reader pairs old headers with a new body.
  removeEntryFiles(path);
  if (!writeFileAtomically(path, body) || !writeHeaders(path, headers, body.size(), digest)) {
    qCWarning(lcRestCache) << "Cannot write the cache entry" << path;
    removeEntryFiles(path);
    return;
  }
  remember(path, headers, body.size(), digest);
  const auto headersStamp = stampOf(path + key(kHeadersExtension));
  noteStored(QFileInfo(path).path(), body.size() + (headersStamp ? headersStamp->size : 0));
}

void RestRequestCache::setCacheDateForRequest(const QDateTime& date, const RestRequest* request) {
  std::lock_guard lock(m_mutex);
  auto entry = readEntry(request, false);
  if (!entry) return;
  entry->headers.insert(key(kCacheDateHeaderKey), formatCacheDate(date));
  const QString path = pathForRequest(request);
  if (!writeHeaders(path, entry->headers, entry->bodySize, entry->bodyDigest)) {
    qCWarning(lcRestCache) << "Cannot update the cache date of" << path;
    return;
  }
  remember(path, entry->headers, entry->bodySize, entry->bodyDigest);
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
  m_checked.clear();
  m_storeBytes.insert(store, 0);
}

void RestRequestCache::noteStored(const QString& store, qint64 bytes) {
  auto it = m_storeBytes.find(store);
  if (it == m_storeBytes.end()) {
    enforceLimit(store);  // first store here: learn the folder's size
    return;
  }
  // Replacing an entry counts it twice; the bound only errs towards scanning early.
  it.value() += bytes;
  if (it.value() > m_storeLimit) enforceLimit(store);
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
  if (total > m_storeLimit) {
    std::sort(entries.begin(), entries.end(), [](const Item& a, const Item& b) { return a.date < b.date; });
    for (const Item& item : entries) {
      if (total <= m_storeLimit) break;
      removeEntryFiles(item.bodyPath);
      total -= item.size;
    }
  }
  m_storeBytes.insert(store, total);
}

QString RestRequestCache::formatCacheDate(const QDateTime& date) {
  // Formatted for every stored answer, mostly for the same second: the last result is kept.
  thread_local qint64 lastSecond = -1;
  thread_local QString lastText;
  const qint64 second = date.toSecsSinceEpoch();
  if (second != lastSecond) {
    lastText = QLocale::c().toString(date.toUTC(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"));
    lastSecond = second;
  }
  return lastText;
}

QDateTime RestRequestCache::parseCacheDate(const QString& text) {
  // Fixed layout "Sun, 03 Mar 2013 12:00:00 GMT", read by position: it is read for most requests.
  static const QStringList months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (text.size() != 29 || text.mid(3, 2) != QLatin1String(", ") || !text.endsWith(QLatin1String(" GMT"))) return {};
  bool ok[5] = {};
  const int day = text.mid(5, 2).toInt(&ok[0]);
  const int month = int(months.indexOf(text.mid(8, 3))) + 1;
  const int year = text.mid(12, 4).toInt(&ok[1]);
  const int hour = text.mid(17, 2).toInt(&ok[2]);
  const int minute = text.mid(20, 2).toInt(&ok[3]);
  const int second = text.mid(23, 2).toInt(&ok[4]);
  if (month == 0 || !std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; })) return {};
  const QDate date(year, month, day);
  const QTime time(hour, minute, second);
  if (!date.isValid() || !time.isValid()) return {};
  return QDateTime(date, time, QTimeZone::utc());
}

}  // namespace rest
