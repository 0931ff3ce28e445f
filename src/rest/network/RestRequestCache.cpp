#include "rest/network/RestRequestCache.h"

#include "foundation/Clock.h"
#include "foundation/Digest.h"
#include "foundation/Logging.h"
#include "rest/network/CacheWriteQueue.h"
#include "rest/network/RestRequest.h"
#include "rest/support/LoggableURL.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMutex>
#include <QStandardPaths>

#include <algorithm>

namespace rest {

namespace {

constexpr const char* kSessionStore = "SessionStore";
constexpr const char* kPermanentStore = "PermanentStore";
// Files left by an interrupted write are removed once they are this old.
constexpr qint64 kOrphanAgeSeconds = 60;
// Bodies up to this size stay in memory with their entry, up to the total below: revalidated and
// fresh answers then need no body file read and no digest.
constexpr qint64 kKeptBodyLimit = 64 * 1024;
constexpr qint64 kKeptBodiesLimit = 4 * 1024 * 1024;
// A change of the cache date alone is written this much later, so that an answer repeated many
// times a second is written once in that time and not once a second.
constexpr std::chrono::seconds kDateOnlyWriteDelay{30};
// Entries known in memory before those not being written are forgotten.
constexpr qsizetype kKnownEntriesLimit = 4096;

QMutex g_directoryMutex;
QString g_cachesDirectory;

QString key(const char* text) { return QString::fromLatin1(text); }

QString headersPath(const QString& path) { return path + QLatin1String(cache::kHeadersExtension); }

// Response headers that carry credentials or session state are never written to disk.
bool isSensitiveHeader(const QString& name) {
  static const QStringList names = {QStringLiteral("Set-Cookie"), QStringLiteral("Set-Cookie2"), QStringLiteral("Cookie"),
                                    QStringLiteral("Authorization"), QStringLiteral("Proxy-Authorization"),
                                    QStringLiteral("Proxy-Authenticate"), QStringLiteral("WWW-Authenticate")};
  for (const QString& sensitive : names)
    if (name.size() == sensitive.size() && name.compare(sensitive, Qt::CaseInsensitive) == 0) return true;
  return false;
}

struct CacheControl {
  bool noStore = false;
  bool isPrivate = false;
};

// The directives of every "Cache-Control" field of an answer that decide whether it may be kept.
CacheControl cacheControlOf(const RestResponse& response) {
  CacheControl control;
  for (const auto& [name, value] : response.rawHeaders()) {
    if (name.compare("Cache-Control", Qt::CaseInsensitive) != 0) continue;
    for (const QByteArray& part : value.split(',')) {
      QByteArray directive = part.trimmed().toLower();
      if (const qsizetype eq = directive.indexOf('='); eq >= 0) directive.truncate(eq);
      directive = directive.trimmed();
      if (directive == "no-store") control.noStore = true;
      else if (directive == "private") control.isPrivate = true;
    }
  }
  return control;
}

// Folders of the cache are the user's alone (their names and contents tell what he reads).
bool makePrivateFolder(const QString& path) {
  if (!QDir().mkpath(path)) return false;
  return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Whether two header maps differ at most in their cache date.
bool sameButForTheDate(const HeaderMap& a, const HeaderMap& b) {
  if (a.size() != b.size()) return false;
  const QString date = key(kCacheDateHeaderKey);
  for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
    if (i.key() != j.key() || (i.value() != j.value() && i.key() != date)) return false;
  return true;
}

std::optional<QByteArray> readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

}  // namespace

RestRequestCache::RestRequestCache(const QString& cachePath, RestRequestCacheStoragePolicy storagePolicy,
                                   std::shared_ptr<cache::WriteQueue> writer)
    : m_cachePath(cachePath),
      m_sessionStorePath(QDir(cachePath).filePath(key(kSessionStore))),
      m_permanentStorePath(QDir(cachePath).filePath(key(kPermanentStore))),
      m_writer(writer ? std::move(writer) : std::make_shared<cache::WriteQueue>()) {
  for (const QString& path : {m_cachePath, m_sessionStorePath, m_permanentStorePath})
    if (!makePrivateFolder(path)) qCWarning(lcRestCache) << "Cannot create the cache folder" << path;
  setStoragePolicy(storagePolicy);
}

RestRequestCache::~RestRequestCache() {
  // The writer's jobs use this object: they all run before anything else goes.
  m_writer->waitUntilIdle();
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

QString RestRequestCache::cachePathForUserAndServer(const QString& user, const QString& server) {
  // A digest, so that the folder name says neither who reads nor from where; the length prefix
  // keeps ("a", "bc") and ("ab", "c") apart.
  const QByteArray material = QByteArray::number(user.toUtf8().size()) + ':' + user.toUtf8() + '\n' + server.toUtf8();
  const QString digest = QString::fromLatin1(QCryptographicHash::hash(material, QCryptographicHash::Sha256).toHex().left(32));
  return QDir(cachesDirectory()).filePath(QStringLiteral("RestClientRequestCache-%1").arg(digest));
}

bool RestRequestCache::privateToUser() const {
  std::lock_guard lock(m_mutex);
  return m_privateToUser;
}

void RestRequestCache::setPrivateToUser(bool privateToUser) {
  std::lock_guard lock(m_mutex);
  m_privateToUser = privateToUser;
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

void RestRequestCache::waitForPendingWrites() { m_writer->waitUntilIdle(); }

QString RestRequestCache::storePath(RestRequestCacheStoragePolicy policy) const {
  switch (policy) {
    case RestRequestCacheStoragePolicyForDurationOfSession: return m_sessionStorePath;
    case RestRequestCacheStoragePolicyPermanently: return m_permanentStorePath;
    case RestRequestCacheStoragePolicyDisabled: break;
  }
  return QString();
}

QString RestRequestCache::pathForRequest(const RestRequest* request) const {
  std::lock_guard lock(m_mutex);
  const QString store = storePath(m_storagePolicy);
  const QString cacheKey = request->cacheKey();
  if (store.isEmpty() || cacheKey.isEmpty()) return QString();
  QString path;
  path.reserve(store.size() + 1 + cacheKey.size());
  path += store;
  path += QLatin1Char('/');
  path += cacheKey;
  return path;
}

// --- What this instance knows

bool RestRequestCache::diskIsCurrent(const OnDisk& disk) const {
  return cache::stampOf(disk.headersFile) == disk.headersStamp && cache::stampOf(disk.bodyFile) == disk.bodyStamp;
}

void RestRequestCache::setDisk(Known& known, OnDisk disk) {
  if (known.disk && known.disk->body) m_keptBodyBytes -= known.disk->body->size();
  if (disk.body && (disk.body->size() > kKeptBodyLimit || m_keptBodyBytes + disk.body->size() > kKeptBodiesLimit))
    disk.body.reset();
  if (disk.body) m_keptBodyBytes += disk.body->size();
  known.disk = std::move(disk);
}

// Forgets the entries not being written once there are many (their files stay, and are read
// again when asked for), so that memory does not grow with every URL ever cached.
void RestRequestCache::pruneKnown() {
  if (m_known.size() < kKnownEntriesLimit) return;
  for (auto it = m_known.begin(); it != m_known.end();) {
    if (it->pending) {
      ++it;
      continue;
    }
    if (it->disk && it->disk->body) m_keptBodyBytes -= it->disk->body->size();
    it = m_known.erase(it);
  }
}

void RestRequestCache::forget(const QString& path) {
  const auto it = m_known.find(path);
  if (it == m_known.end()) return;
  if (it->disk && it->disk->body) m_keptBodyBytes -= it->disk->body->size();
  m_known.erase(it);  // a write still pending for it is no longer current and is dropped
}

void RestRequestCache::removeEntryFiles(const QString& path) {
  forget(path);
  QFile::remove(headersPath(path));
  QFile::remove(path);
}

void RestRequestCache::discard(const QString& path, const char* why) {
  qCWarning(lcRestCache) << "Discarding the cache entry" << QFileInfo(path).fileName() << ":" << why;
  removeEntryFiles(path);
}

// The body of an entry whose files still have their stamps, checked against its size and digest.
std::optional<QByteArray> RestRequestCache::diskBody(const QString& path, OnDisk& disk) {
  if (disk.body) return disk.body;
  auto body = readFile(path);
  if (!body || body->size() != disk.bodySize || foundation::md5Hex(*body) != disk.bodyDigest) return std::nullopt;
  if (body->size() <= kKeptBodyLimit && m_keptBodyBytes + body->size() <= kKeptBodiesLimit) {
    disk.body = *body;
    m_keptBodyBytes += body->size();
  }
  return body;
}

std::optional<RestRequestCache::Entry> RestRequestCache::readEntry(const RestRequest* request, bool withBody) {
  std::lock_guard lock(m_mutex);
  const QString path = pathForRequest(request);
  if (path.isEmpty()) return std::nullopt;
  if (const auto it = m_known.find(path); it != m_known.end()) {
    Known& known = *it;
    // An entry of another URL under the same key (a digest collision) is not this request's.
    const HeaderMap& latest = known.pending ? known.pending->headers : known.disk ? known.disk->headers : HeaderMap();
    if (latest.value(key(kCachedURLHeaderKey)) != request->cacheURLString()) return std::nullopt;
    if (known.pending) {
      // Not on disk yet: the answer as it was stored.
      Entry entry{QByteArray(), known.pending->headers};
      if (!withBody) return entry;
      if (known.pending->body) {
        entry.body = *known.pending->body;
        return entry;
      }
      std::optional<QByteArray> body;
      if (known.disk && cache::stampOf(known.disk->bodyFile) == known.disk->bodyStamp) body = diskBody(path, *known.disk);
      if (!body) {
        discard(path, "the body does not match its headers");
        return std::nullopt;
      }
      entry.body = *body;
      return entry;
    }
    if (known.disk && diskIsCurrent(*known.disk)) {
      Entry entry{QByteArray(), known.disk->headers};
      if (!withBody) return entry;
      const auto body = diskBody(path, *known.disk);
      if (!body) {
        discard(path, "the body does not match its headers");
        return std::nullopt;
      }
      entry.body = *body;
      return entry;
    }
    forget(path);  // changed on disk since: read again
  }
  return loadFromDisk(path, request, withBody);
}

std::optional<RestRequestCache::Entry> RestRequestCache::loadFromDisk(const QString& path, const RestRequest* request,
                                                                      bool withBody) {
  OnDisk disk;
  disk.headersFile = QFile::encodeName(headersPath(path));
  disk.bodyFile = QFile::encodeName(path);
  const auto headersStamp = cache::stampOf(disk.headersFile);
  const auto bodyStamp = cache::stampOf(disk.bodyFile);
  if (!headersStamp && !bodyStamp) return std::nullopt;
  if (!headersStamp || !bodyStamp) {
    discard(path, "a file is missing");
    return std::nullopt;
  }
  const auto headersBytes = readFile(headersPath(path));
  if (!headersBytes) {
    discard(path, "the headers cannot be read");
    return std::nullopt;
  }
  const char* why = nullptr;
  auto decoded = cache::decodeHeaders(*headersBytes, &why);
  if (!decoded) {
    discard(path, why);
    return std::nullopt;
  }
  if (decoded->headers.value(key(kCachedURLHeaderKey)) != request->cacheURLString()) {
    discard(path, "stored for another URL");
    return std::nullopt;
  }
  auto body = readFile(path);
  if (!body) {
    discard(path, "the body cannot be read");
    return std::nullopt;
  }
  if (body->size() != decoded->bodySize || foundation::md5Hex(*body) != decoded->bodyDigest) {
    discard(path, "the body does not match its headers");
    return std::nullopt;
  }
  Entry entry{withBody ? *body : QByteArray(), decoded->headers};
  // Remembered only when nothing changed while it was read.
  if (cache::stampOf(disk.headersFile) == headersStamp && cache::stampOf(disk.bodyFile) == bodyStamp) {
    pruneKnown();
    disk.headersStamp = *headersStamp;
    disk.bodyStamp = *bodyStamp;
    disk.headers = std::move(decoded->headers);
    disk.bodySize = decoded->bodySize;
    disk.bodyDigest = std::move(decoded->bodyDigest);
    disk.body = std::move(body);
    setDisk(m_known[path], std::move(disk));
  }
  return entry;
}

// --- Questions

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

// --- Storing

// Whether the entry's latest body is `body`, when that can be told without reading the file.
bool RestRequestCache::holdsBody(const Known& known, const QByteArray& body) const {
  if (known.pending && known.pending->body) return *known.pending->body == body;
  if (!known.disk) return false;
  if (known.disk->body) return *known.disk->body == body;
  return known.disk->bodySize == body.size() && body.size() <= kKeptBodyLimit &&
         foundation::md5Hex(body) == known.disk->bodyDigest;
}

void RestRequestCache::storeResponseForRequest(const RestResponse* response, const RestRequest* request) {
  std::lock_guard lock(m_mutex);
  const QString path = pathForRequest(request);
  if (path.isEmpty() || !request->isCacheable()) return;
  const CacheControl control = cacheControlOf(*response);
  if (control.noStore || (control.isPrivate && !m_privateToUser)) {
    // The entry of an earlier answer is no longer what the service says either.
    removeEntryFiles(path);
    return;
  }
  const QByteArray& body = response->body();
  if (body.size() > m_storeLimit) {
    qCInfo(lcRestCache) << "Not caching an answer larger than the store" << body.size();
    return;
  }
  const QString date = formatCacheDate(foundation::scheduler().now());
  const QString password = request->password();
  const bool received = !response->wasLoadedFromCache();
  const auto known = m_known.constFind(path);
  // The same answer as the last one, within the same second: the entry would not change.
  if (received && known != m_known.constEnd() && known->received && known->received->statusCode == response->statusCode() &&
      known->received->cacheDate == date && known->received->password == password &&
      known->received->rawHeaders == response->rawHeaders() && holdsBody(*known, body))
    return;

  // Secrets of the URL (the session that asked) may come back in an answer header.
  const QStringList secrets = secretValues(request->URLString());
  HeaderMap headers;
  const HeaderMap fields = response->allHeaderFields();
  for (auto it = fields.begin(); it != fields.end(); ++it) {
    if (isSensitiveHeader(it.key())) continue;
    if (it.key().startsWith(QStringLiteral("X-REST-"), Qt::CaseInsensitive)) continue;
    if (!password.isEmpty() && it.value().contains(password)) continue;
    if (std::any_of(secrets.begin(), secrets.end(), [&](const QString& secret) { return it.value().contains(secret); }))
      continue;
    headers.insert(it.key(), it.value());
  }
  headers.insert(key(kCacheDateHeaderKey), date);
  headers.insert(key(kCachedResponseCodeHeaderKey), QString::number(response->statusCode()));
  headers.insert(key(kCachedMIMETypeHeaderKey), response->MIMEType());
  headers.insert(key(kCachedURLHeaderKey), request->cacheURLString());

  std::optional<Received> answer;
  if (received) answer = Received{response->statusCode(), response->rawHeaders(), date, password};
  bool dateOnly = false;
  if (known != m_known.constEnd() && holdsBody(*known, body)) {
    const HeaderMap& latest = known->pending ? known->pending->headers : known->disk ? known->disk->headers : HeaderMap();
    if (!latest.isEmpty() && latest == headers) {
      m_known[path].received = std::move(answer);
      return;
    }
    dateOnly = sameButForTheDate(latest, headers);
  }
  schedule(path, std::move(headers), body, dateOnly);
  m_known[path].received = std::move(answer);
}

void RestRequestCache::setCacheDateForRequest(const QDateTime& date, const RestRequest* request) {
  std::lock_guard lock(m_mutex);
  auto entry = readEntry(request, false);
  if (!entry) return;
  const QString path = pathForRequest(request);
  const auto it = m_known.find(path);
  if (it == m_known.end()) return;  // changed while it was read
  HeaderMap headers = std::move(entry->headers);
  headers.insert(key(kCacheDateHeaderKey), formatCacheDate(date));
  std::optional<QByteArray> body;
  if (it->pending) body = it->pending->body;
  else if (it->disk) body = it->disk->body;
  it->received.reset();  // the headers are no longer those of the last answer
  schedule(path, std::move(headers), std::move(body), true);
}

void RestRequestCache::schedule(const QString& path, HeaderMap headers, std::optional<QByteArray> body, bool dateOnly) {
  if (!m_known.contains(path)) pruneKnown();
  Known& known = m_known[path];
  // A write not started yet takes the newer content, unless it was put off and the newer
  // content must not wait.
  if (known.pending && !known.pending->started && (dateOnly || !known.pending->dateOnly)) {
    known.pending->headers = std::move(headers);
    if (body) known.pending->body = std::move(body);
    return;
  }
  const quint64 generation = ++m_lastGeneration;
  known.pending = Pending{generation, std::move(headers), std::move(body), dateOnly, false};
  m_writer->post([this, path, generation] { write(path, generation); },
                 dateOnly ? std::chrono::duration_cast<cache::WriteQueue::Clock::duration>(kDateOnlyWriteDelay)
                          : cache::WriteQueue::Clock::duration::zero());
}

// On the writer thread. Files are created and filled without the lock; only putting them in
// place, which readers must never see half done, happens under it.
void RestRequestCache::write(const QString& path, quint64 generation) {
  Pending pending;
  std::optional<OnDisk> disk;
  {
    std::lock_guard lock(m_mutex);
    const auto it = m_known.find(path);
    if (it == m_known.end() || !it->pending || it->pending->generation != generation) return;  // superseded
    it->pending->started = true;
    pending = *it->pending;
    disk = it->disk;
  }
  const QString headersFile = headersPath(path);
  QString bodyTemporary, headersTemporary;
  auto fail = [&](const char* why) {
    std::lock_guard lock(m_mutex);
    if (!bodyTemporary.isEmpty()) QFile::remove(bodyTemporary);
    if (!headersTemporary.isEmpty()) QFile::remove(headersTemporary);
    const auto it = m_known.constFind(path);
    if (it == m_known.constEnd() || !it->pending || it->pending->generation != generation) return;
    qCWarning(lcRestCache) << "Cannot write the cache entry" << path << ":" << why;
    removeEntryFiles(path);
  };

  // A body already on disk (same size and digest, file untouched) stays: only the headers change.
  qint64 bodySize;
  QString digest;
  bool bodyStays;
  if (pending.body) {
    bodySize = pending.body->size();
    digest = foundation::md5Hex(*pending.body);
    bodyStays = disk && disk->bodySize == bodySize && disk->bodyDigest == digest &&
                cache::stampOf(disk->bodyFile) == disk->bodyStamp;
  } else {
    if (!disk || cache::stampOf(disk->bodyFile) != disk->bodyStamp) return fail("the body changed on disk");
    bodySize = disk->bodySize;
    digest = disk->bodyDigest;
    bodyStays = true;
  }
  if (bodyStays && disk->headers == pending.headers && cache::stampOf(disk->headersFile) == disk->headersStamp) {
    std::lock_guard lock(m_mutex);
    const auto it = m_known.find(path);
    if (it != m_known.end() && it->pending && it->pending->generation == generation) it->pending.reset();
    return;
  }

  makePrivateFolder(QFileInfo(path).path());
  if (!bodyStays) {
    bodyTemporary = cache::writeTemporaryFile(path, *pending.body);
    if (bodyTemporary.isEmpty()) return fail("the body cannot be written");
  }
  headersTemporary = cache::writeTemporaryFile(headersFile, cache::encodeHeaders(pending.headers, bodySize, digest));
  if (headersTemporary.isEmpty()) return fail("the headers cannot be written");

  std::lock_guard lock(m_mutex);
  const auto it = m_known.find(path);
  if (it == m_known.end() || !it->pending || it->pending->generation != generation) {
    // Superseded or invalidated meanwhile: whoever did it owns the entry's files now.
    if (!bodyTemporary.isEmpty()) QFile::remove(bodyTemporary);
    QFile::remove(headersTemporary);
    return;
  }
  // The old headers go first, so that no reader pairs them with a new body.
  QFile::remove(headersFile);
  if (!bodyStays) {
    const bool moved = cache::moveIntoPlace(std::exchange(bodyTemporary, QString()), path);
    if (!moved) return fail("the body cannot be put in place");
  }
  if (!cache::moveIntoPlace(std::exchange(headersTemporary, QString()), headersFile))
    return fail("the headers cannot be put in place");
  OnDisk written;
  written.headersFile = QFile::encodeName(headersFile);
  written.bodyFile = QFile::encodeName(path);
  const auto headersStamp = cache::stampOf(written.headersFile);
  const auto bodyStamp = cache::stampOf(written.bodyFile);
  if (!headersStamp || !bodyStamp) return fail("the files vanished");
  written.headersStamp = *headersStamp;
  written.bodyStamp = *bodyStamp;
  written.headers = std::move(pending.headers);
  written.bodySize = bodySize;
  written.bodyDigest = digest;
  written.body = pending.body ? pending.body : disk->body;
  it->pending.reset();
  setDisk(*it, std::move(written));
  noteStored(QFileInfo(path).path(), (bodyStays ? 0 : bodySize) + headersStamp->size);
}

// --- Removing

void RestRequestCache::invalidateRequest(const RestRequest* request) {
  std::lock_guard lock(m_mutex);
  const QString path = pathForRequest(request);
  if (!path.isEmpty()) removeEntryFiles(path);
}

void RestRequestCache::invalidateWithStoragePolicy(RestRequestCacheStoragePolicy policy) {
  std::lock_guard lock(m_mutex);
  const QString store = storePath(policy);
  if (store.isEmpty()) return;
  const QString prefix = store + QLatin1Char('/');
  for (auto it = m_known.begin(); it != m_known.end();) {
    if (!it.key().startsWith(prefix)) {
      ++it;
      continue;
    }
    if (it->disk && it->disk->body) m_keptBodyBytes -= it->disk->body->size();
    it = m_known.erase(it);
  }
  QDir dir(store);
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) dir.remove(name);
  m_storeBytes.insert(store, 0);
}

void RestRequestCache::invalidateAll() {
  std::lock_guard lock(m_mutex);
  invalidateWithStoragePolicy(RestRequestCacheStoragePolicyForDurationOfSession);
  invalidateWithStoragePolicy(RestRequestCacheStoragePolicyPermanently);
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
    if (name.endsWith(QLatin1String(cache::kHeadersExtension))) {
      const QFileInfo body(dir.filePath(name.chopped(int(qstrlen(cache::kHeadersExtension)))));
      if (!body.exists() && info.lastModified().secsTo(now) > kOrphanAgeSeconds) QFile::remove(info.filePath());
      continue;
    }
    const QFileInfo headers(headersPath(info.filePath()));
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
      const auto known = m_known.constFind(item.bodyPath);
      if (known != m_known.constEnd() && known->pending) continue;  // about to be rewritten
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
