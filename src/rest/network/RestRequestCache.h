#pragma once
// Disk cache of responses, keyed by request (URL, method, body), for entity-tag revalidation and
// offline answers.
//
// Layout: <cachePath>/SessionStore and <cachePath>/PermanentStore; an entry is a body file named
// by the request's cache key and a "<key>.headers" file with the response headers and the
// X-REST-CACHED-... keys. Every file is written under a temporary name and renamed into place,
// and an entry that is incomplete, unreadable, inconsistent with its body or stored for another
// URL counts as absent and is removed. Each store is bounded; the oldest entries go first.
// Credentials and the session identifier are never written to a headers file (the stored URL
// aside). All operations are serialised by one recursive lock.
#include "rest/network/RestResponse.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

namespace rest {

class RestRequest;

enum RestRequestCacheStoragePolicy : int {
  RestRequestCacheStoragePolicyDisabled = 0,
  RestRequestCacheStoragePolicyForDurationOfSession = 1,
  RestRequestCacheStoragePolicyPermanently = 2,
};

inline constexpr qint64 kRestDefaultCacheStoreLimit = 20LL * 1024 * 1024;

class RestRequestCache {
 public:
  // Creates the two store folders when missing and applies `storagePolicy` (which empties the
  // session store).
  RestRequestCache(const QString& cachePath, RestRequestCacheStoragePolicy storagePolicy);

  // <caches directory>/RestClientRequestCache-<host>.
  static QString cachePathForHost(const QString& host);
  // The per-user caches directory; tests point it at a temporary folder.
  static QString cachesDirectory();
  static void setCachesDirectory(const QString& path);  // "" restores the platform's

  QString cachePath() const { return m_cachePath; }
  RestRequestCacheStoragePolicy storagePolicy() const;
  // Empties the session store, and the permanent one too when the new policy is Disabled.
  void setStoragePolicy(RestRequestCacheStoragePolicy policy);
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

  // "EEE, dd MMM yyyy HH:mm:ss 'GMT'" in GMT, as stored under X-REST-CACHEDATE.
  static QString formatCacheDate(const QDateTime& date);
  static QDateTime parseCacheDate(const QString& text);

 private:
  struct Entry {
    QByteArray body;  // only when asked for
    HeaderMap headers;
    qint64 bodySize = 0;
    QString bodyDigest;
  };
  // Identity of a file's current content: a file rewritten in any way gets another stamp.
  struct FileStamp {
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
  };
  // An entry already checked against its body, valid while both files keep their stamps; spares
  // re-reading and re-hashing the body for every question about the same entry.
  struct CheckedEntry {
    FileStamp headersStamp;
    FileStamp bodyStamp;
    HeaderMap headers;
    qint64 bodySize = 0;
    QString bodyDigest;
  };
  static std::optional<FileStamp> stampOf(const QString& path);
  QString storePath(RestRequestCacheStoragePolicy policy) const;
  std::optional<Entry> readEntry(const RestRequest* request, bool withBody);
  void remember(const QString& path, const HeaderMap& headers, qint64 bodySize, const QString& digest);
  void removeEntryFiles(const QString& path);
  bool writeHeaders(const QString& path, const HeaderMap& headers, qint64 bodySize, const QString& bodyDigest);
  void noteStored(const QString& store, qint64 bytes);
  void enforceLimit(const QString& store);

  mutable std::recursive_mutex m_mutex;
  QString m_cachePath;
  RestRequestCacheStoragePolicy m_storagePolicy = RestRequestCacheStoragePolicyDisabled;
  qint64 m_storeLimit = kRestDefaultCacheStoreLimit;
  QHash<QString, CheckedEntry> m_checked;  // by entry path
  QHash<QString, qint64> m_storeBytes;     // by store folder; an upper bound between scans
};

}  // namespace rest
