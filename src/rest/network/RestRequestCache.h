#pragma once
// Disk cache of responses, keyed by request (URL, method, body), for entity-tag revalidation and
// offline answers.
//
// Layout: <cachePath>/SessionStore and <cachePath>/PermanentStore, folders 0700 and files 0600; an entry is a body file named
// by the request's cache key and a "<key>.headers" file with the response headers and the
// X-REST-CACHED-... keys. Every file is written under a temporary name and renamed into place,
// and an entry that is incomplete, unreadable, inconsistent with its body or stored for another
// URL counts as absent and is removed. Each store is bounded; the oldest entries go first.
// Only GET answers are kept, and never one marked "Cache-Control: no-store" (nor "private" unless
// the cache belongs to one user). Keys and stored URLs leave the URL's secrets (the session) out,
// as the application's secret finder names them (LoggableURL.h), so a later session of the same
// user finds its entries; credentials and those secrets are never written.
//
// Answers are written by a background thread, in the order they were stored; until an answer is
// on disk, every question about its entry is answered from memory. A change of the cache date
// alone (the same answer again, a 304) reaches the disk within half a minute, or when the cache
// is destroyed: an entry found after a crash may look older than it was, never younger. What this instance knows of
// an entry (headers, integrity keys, the files' stamps, small bodies) is kept in memory, and
// reused only while both files keep the stamps it had when it was written or checked, so a
// lookup costs two stat calls and no reading or hashing. All operations are serialised by one
// lock, which the background thread never holds while it creates or fills a file.
#include "rest/network/CacheFiles.h"
#include "rest/network/RestResponse.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

namespace rest {

class RestRequest;
namespace cache {
class WriteQueue;
}

enum RestRequestCacheStoragePolicy : int {
  RestRequestCacheStoragePolicyDisabled = 0,
  RestRequestCacheStoragePolicyForDurationOfSession = 1,
  RestRequestCacheStoragePolicyPermanently = 2,
};

inline constexpr qint64 kRestDefaultCacheStoreLimit = 20LL * 1024 * 1024;

class RestRequestCache {
 public:
  // Creates the two store folders when missing and applies `storagePolicy` (which empties the
  // session store). Entries are written by `writer`, or by a thread of the cache's own.
  RestRequestCache(const QString& cachePath, RestRequestCacheStoragePolicy storagePolicy,
                   std::shared_ptr<cache::WriteQueue> writer = nullptr);
  // Waits until what is still pending is written.
  ~RestRequestCache();
  RestRequestCache(const RestRequestCache&) = delete;
  RestRequestCache& operator=(const RestRequestCache&) = delete;

  // <caches directory>/RestClientRequestCache-<host>.
  static QString cachePathForHost(const QString& host);
  // <caches directory>/RestClientRequestCache-<digest of the user and the server>: one cache per
  // user of a service, which no other user's session ever reads.
  static QString cachePathForUserAndServer(const QString& user, const QString& server);
  // The per-user caches directory; tests point it at a temporary folder.
  static QString cachesDirectory();
  static void setCachesDirectory(const QString& path);  // "" restores the platform's

  QString cachePath() const { return m_cachePath; }
  RestRequestCacheStoragePolicy storagePolicy() const;
  // Empties the session store, and the permanent one too when the new policy is Disabled.
  void setStoragePolicy(RestRequestCacheStoragePolicy policy);
  // Whether only one user's answers go here ("Cache-Control: private" answers are then kept).
  bool privateToUser() const;
  void setPrivateToUser(bool privateToUser);
  qint64 storeLimit() const;
  void setStoreLimit(qint64 bytes);

  // "<store>/<cacheKey>", or "" when nothing can be cached (policy disabled, DELETE).
  QString pathForRequest(const RestRequest* request) const;
  bool hasResponseForRequest(const RestRequest* request);
  // A response rebuilt from the entry (wasLoadedFromCache), or null.
  std::shared_ptr<RestResponse> responseForRequest(RestRequest* request);
  void storeResponseForRequest(const RestResponse* response, const RestRequest* request);
  QString etagForRequest(const RestRequest* request);
  // The stored header map (X-REST-CACHED-... keys included); empty when there is no entry.
  HeaderMap headersForRequest(const RestRequest* request);
  QDateTime cacheDateForRequest(const RestRequest* request);
  void setCacheDateForRequest(const QDateTime& date, const RestRequest* request);
  void invalidateRequest(const RestRequest* request);
  void invalidateWithStoragePolicy(RestRequestCacheStoragePolicy policy);
  void invalidateAll();
  // Returns once every answer stored so far is on disk (or has failed to be written).
  void waitForPendingWrites();

  // "EEE, dd MMM yyyy HH:mm:ss 'GMT'" in GMT, as stored under X-REST-CACHEDATE.
  static QString formatCacheDate(const QDateTime& date);
  static QDateTime parseCacheDate(const QString& text);

 private:
  // An entry as read: the body only when asked for.
  struct Entry {
    QByteArray body;
    HeaderMap headers;
  };
  // What is on disk for an entry, as this instance last wrote or checked it.
  struct OnDisk {
    QByteArray bodyFile;  // encoded paths, for stat
    QByteArray headersFile;
    cache::FileStamp bodyStamp;
    cache::FileStamp headersStamp;
    HeaderMap headers;
    qint64 bodySize = 0;
    QString bodyDigest;
    std::optional<QByteArray> body;  // kept when small, so that reads need no body file I/O
  };
  // A store handed to the writer and not yet on disk; reads answer from it. Until the writer
  // starts on it, a newer store of the same entry replaces its content instead of queueing
  // another write.
  struct Pending {
    quint64 generation = 0;
    HeaderMap headers;
    std::optional<QByteArray> body;  // none: the body file on disk stays (only the headers change)
    bool dateOnly = false;           // only the cache date changed: the write was put off
    bool started = false;            // the writer has taken it
  };
  // The last answer stored for an entry, as received: the same answer stored again within the
  // same second is recognised without building its header map.
  struct Received {
    int statusCode = 0;
    QList<QPair<QByteArray, QByteArray>> rawHeaders;
    QString cacheDate;
    QString password;
  };
  struct Known {
    std::optional<OnDisk> disk;
    std::optional<Pending> pending;
    std::optional<Received> received;  // describes the entry's current headers
  };

  QString storePath(RestRequestCacheStoragePolicy policy) const;
  std::optional<Entry> readEntry(const RestRequest* request, bool withBody);
  std::optional<Entry> loadFromDisk(const QString& path, const RestRequest* request, bool withBody);
  std::optional<QByteArray> diskBody(const QString& path, OnDisk& disk);
  bool diskIsCurrent(const OnDisk& disk) const;
  void setDisk(Known& known, OnDisk disk);
  void pruneKnown();
  void forget(const QString& path);
  void removeEntryFiles(const QString& path);
  void discard(const QString& path, const char* why);
  bool holdsBody(const Known& known, const QByteArray& body) const;
  void schedule(const QString& path, HeaderMap headers, std::optional<QByteArray> body, bool dateOnly);
  void write(const QString& path, quint64 generation);
  void noteStored(const QString& store, qint64 bytes);
  void enforceLimit(const QString& store);

  mutable std::recursive_mutex m_mutex;
  QString m_cachePath;
  QString m_sessionStorePath;
  QString m_permanentStorePath;
  RestRequestCacheStoragePolicy m_storagePolicy = RestRequestCacheStoragePolicyDisabled;
  qint64 m_storeLimit = kRestDefaultCacheStoreLimit;
  bool m_privateToUser = false;
  QHash<QString, Known> m_known;       // by entry path
  qint64 m_keptBodyBytes = 0;          // bodies kept in memory by m_known
  quint64 m_lastGeneration = 0;
  QHash<QString, qint64> m_storeBytes;  // by store folder; an upper bound between scans
  std::shared_ptr<cache::WriteQueue> m_writer;
};

}  // namespace rest
