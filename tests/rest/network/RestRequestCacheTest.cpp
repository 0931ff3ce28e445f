// The response cache on disk: layout, keys, what an entry holds, and every way an entry can be
// broken (which must read as "no entry" and clean itself up).
#include "foundation/Digest.h"
#include "rest/network/CacheWriteQueue.h"
#include "rest/network/RestRequest.h"
#include "rest/network/RestRequestCache.h"
#include "rest/network/RestRequestSerialization.h"
#include "SessionSecrets.h"
#include "support/ManualClockFixture.h"
#include "support/TempDir.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <future>
#include <optional>

namespace {

using rest::RestRequest;
using rest::RestRequestCache;

std::shared_ptr<RestRequest> request(const QString& path, rest::RestRequestMethod method = rest::RestRequestMethodGET,
                                     QByteArray body = {}) {
  auto url = rest::RestURL::URLWithBaseURLString("http://127.0.0.1:8470/cloud/v1", path);
  auto r = std::make_shared<RestRequest>(*url);
  r->setMethod(method);
  if (!body.isNull()) r->setParams(rest::RestRequestSerialization::serializationWithDataMIMEType(body, "application/json"));
  return r;
}

std::shared_ptr<rest::RestResponse> answer(int status, QByteArray body, QList<QPair<QByteArray, QByteArray>> headers = {}) {
  auto response = std::make_shared<rest::RestResponse>(nullptr);
  headers.prepend({"Content-Type", "application/json; charset=utf-8"});
  response->setHTTPResponse(status, headers, QUrl("http://127.0.0.1:8470/cloud/v1/x"));
  response->appendBody(body);
  return response;
}

class RequestCacheTest : public tbtest::ManualClockFixture {
 protected:
  RequestCacheTest() { rest::setSecretFinder(tbtest::sessionSecrets); }
  ~RequestCacheTest() override { rest::setSecretFinder({}); }
  QString root() const { return m_dir.file("RestClientRequestCache-127.0.0.1"); }
  tbtest::TempDir m_dir;  // before the cache, which lives in it
  RestRequestCache cache{m_dir.file("RestClientRequestCache-127.0.0.1"), rest::RestRequestCacheStoragePolicyPermanently};
};

TEST_F(RequestCacheTest, KeysFollowUrlMethodAndBody) {
  const auto get = request("/device;jsessionid=S1");
  // The session is not part of the key: the next session of the same user finds the entry.
  const QString url = "http://127.0.0.1:8470/cloud/v1/device";
  EXPECT_EQ(get->cacheKey(), foundation::md5Hex((url + "-0").toUtf8()));
  EXPECT_EQ(request("/device;jsessionid=S2")->cacheKey(), get->cacheKey());
  const auto put = request("/device/status", rest::RestRequestMethodPUT, "{\"status\":\"ON\"}");
  EXPECT_EQ(put->cacheKey(), foundation::md5Hex("http://127.0.0.1:8470/cloud/v1/device/status-2-<7b227374 61747573 223a224f 4e227d>"));
  EXPECT_EQ(request("/x", rest::RestRequestMethodDELETE)->cacheKey(), "");
  EXPECT_EQ(cache.pathForRequest(get.get()), root() + "/PermanentStore/" + get->cacheKey());
  EXPECT_TRUE(QFileInfo(root() + "/SessionStore").isDir());
}

// Percent escapes of a URL are part of its key as they stand ("%2F" is no place marker): two
// URLs that differ only there keep two entries.
TEST_F(RequestCacheTest, EscapesInTheUrlKeepEntriesApart) {
  const auto escaped = request("/device/a%2Fb;jsessionid=S1");
  const auto plain = request("/device/a0Fb;jsessionid=S1");
  ASSERT_TRUE(escaped->URLString().contains("a%2Fb"));
  EXPECT_EQ(escaped->cacheKey(), foundation::md5Hex((escaped->cacheURLString() + "-0").toUtf8()));
  EXPECT_NE(escaped->cacheKey(), plain->cacheKey());
  cache.storeResponseForRequest(answer(200, "escaped").get(), escaped.get());
  cache.storeResponseForRequest(answer(200, "plain").get(), plain.get());
  EXPECT_EQ(cache.responseForRequest(escaped.get())->body(), "escaped");
  EXPECT_EQ(cache.responseForRequest(plain.get())->body(), "plain");
}

TEST_F(RequestCacheTest, StoresAndRebuildsAnEntry) {
  const auto r = request("/device;jsessionid=S1");
  cache.storeResponseForRequest(answer(200, "[1,2]", {{"ETag", "\"v7\""}}).get(), r.get());
  ASSERT_TRUE(cache.hasResponseForRequest(r.get()));
  const auto cached = cache.responseForRequest(r.get());
  ASSERT_TRUE(cached);
  EXPECT_TRUE(cached->wasLoadedFromCache());
  EXPECT_EQ(cached->statusCode(), 200);
  EXPECT_EQ(cached->body(), "[1,2]");
  EXPECT_EQ(cached->MIMEType(), "application/json");
  EXPECT_EQ(cached->URL().toString(), "http://127.0.0.1:8470/cloud/v1/device");
  EXPECT_EQ(cache.etagForRequest(r.get()), "\"v7\"");
  EXPECT_EQ(cache.headersForRequest(r.get()).value("X-REST-CACHEDATE"), "Sun, 03 Mar 2013 12:00:00 GMT");
  EXPECT_EQ(cache.cacheDateForRequest(r.get()), clock.now());

  clock.advanceBy(90);
  cache.setCacheDateForRequest(clock.now(), r.get());
  EXPECT_EQ(cache.headersForRequest(r.get()).value("X-REST-CACHEDATE"), "Sun, 03 Mar 2013 12:01:30 GMT");
  EXPECT_EQ(cache.responseForRequest(r.get())->body(), "[1,2]");
}

// What may be kept: GET answers only, never one the service marks "no-store", and a "private"
// one only in a cache of one user. An answer that may not be kept also removes the entry it
// would have replaced.
struct StorageCase {
  const char* name;
  rest::RestRequestMethod method;
  QList<QPair<QByteArray, QByteArray>> headers;
  bool privateToUser;
  bool kept;
};
void PrintTo(const StorageCase& c, std::ostream* os) { *os << c.name; }

class CacheStorage : public RequestCacheTest, public ::testing::WithParamInterface<StorageCase> {};

TEST_P(CacheStorage, KeepsOnlyWhatMayBeKept) {
  const StorageCase& c = GetParam();
  cache.setPrivateToUser(c.privateToUser);
  const auto r = request("/device/status", c.method, c.method == rest::RestRequestMethodGET ? QByteArray() : "{}");
  if (c.method == rest::RestRequestMethodGET) {
    cache.storeResponseForRequest(answer(200, "earlier").get(), r.get());
    ASSERT_TRUE(cache.hasResponseForRequest(r.get()));
  }
  cache.storeResponseForRequest(answer(200, "new", c.headers).get(), r.get());
  cache.waitForPendingWrites();
  EXPECT_EQ(cache.hasResponseForRequest(r.get()), c.kept);
  EXPECT_EQ(QDir(root() + "/PermanentStore").entryList(QDir::Files).size(), c.kept ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CacheStorage,
    ::testing::Values(StorageCase{"get", rest::RestRequestMethodGET, {}, false, true},
                      StorageCase{"put", rest::RestRequestMethodPUT, {}, false, false},
                      StorageCase{"post", rest::RestRequestMethodPOST, {}, false, false},
                      StorageCase{"noStore", rest::RestRequestMethodGET, {{"Cache-Control", "max-age=0, No-Store"}}, true, false},
                      StorageCase{"privateInSharedCache", rest::RestRequestMethodGET, {{"Cache-Control", "private"}}, false, false},
                      StorageCase{"privateInUserCache", rest::RestRequestMethodGET, {{"Cache-Control", "private, max-age=60"}}, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Folders and files are the user's alone, whatever the umask; the folder of a user's cache names
// neither the user nor the server, and differs per user and per server.
TEST_F(RequestCacheTest, EntriesArePrivateToTheUser) {
  const mode_t previous = ::umask(0);
  const auto r = request("/device;jsessionid=S1");
  RestRequestCache userCache(RestRequestCache::cachePathForUserAndServer("anne", "http://127.0.0.1:8470/cloud/v1"),
                             rest::RestRequestCacheStoragePolicyPermanently);
  userCache.storeResponseForRequest(answer(200, "[1]").get(), r.get());
  userCache.waitForPendingWrites();
  ::umask(previous);
  const QString path = userCache.pathForRequest(r.get());
  auto modeOf = [](const QString& p) {
    struct stat info {};
    return ::stat(QFile::encodeName(p).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
  };
  for (const QString& file : {path, path + ".headers"}) EXPECT_EQ(modeOf(file), 0600) << file.toStdString();
  for (const QString& folder : {userCache.cachePath(), QFileInfo(path).path()})
    EXPECT_EQ(modeOf(folder), 0700) << folder.toStdString();
  EXPECT_FALSE(userCache.cachePath().contains("anne"));
  EXPECT_FALSE(userCache.cachePath().contains("127.0.0.1"));
  EXPECT_EQ(userCache.cachePath(), RestRequestCache::cachePathForUserAndServer("anne", "http://127.0.0.1:8470/cloud/v1"));
  EXPECT_NE(userCache.cachePath(), RestRequestCache::cachePathForUserAndServer("demo", "http://127.0.0.1:8470/cloud/v1"));
  EXPECT_NE(userCache.cachePath(), RestRequestCache::cachePathForUserAndServer("anne", "http://127.0.0.1:9000/cloud/v1"));
}

// Each way of breaking an entry on disk; all must read as absent and leave no files behind.
struct Damage {
  const char* name;
  std::function<void(const QString& path)> apply;
};

// Test names, not bytes, in the listings.
void PrintTo(const Damage& c, std::ostream* os) { *os << c.name; }

class BrokenEntries : public RequestCacheTest, public ::testing::WithParamInterface<Damage> {};

// The instance that wrote the entry (which remembers it) and one started afterwards (which reads
// it from disk) must both see the damage.
TEST_P(BrokenEntries, ReadAsAbsentAndAreRemoved) {
  for (const bool restarted : {false, true}) {
    SCOPED_TRACE(restarted ? "read after a restart" : "read by the writer");
    const auto r = request("/history;jsessionid=S1");
    cache.storeResponseForRequest(answer(200, "0123456789").get(), r.get());
    cache.waitForPendingWrites();
    const QString path = cache.pathForRequest(r.get());
    ASSERT_TRUE(QFile::exists(path) && QFile::exists(path + ".headers"));
    ASSERT_EQ(cache.responseForRequest(r.get())->body(), "0123456789");  // remembered, body kept in memory
    GetParam().apply(path);
    std::optional<RestRequestCache> fresh;
    if (restarted) fresh.emplace(root(), rest::RestRequestCacheStoragePolicyPermanently);
    RestRequestCache& reader = restarted ? *fresh : cache;
    EXPECT_FALSE(reader.hasResponseForRequest(r.get()));
    EXPECT_EQ(reader.responseForRequest(r.get()), nullptr);
    EXPECT_EQ(reader.etagForRequest(r.get()), "");
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + ".headers"));
  }
}

void rewrite(const QString& file, const QByteArray& bytes) {
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

void editHeaders(const QString& path, const std::function<void(QJsonObject&)>& edit) {
  QFile f(path + ".headers");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QJsonObject object = QJsonDocument::fromJson(f.readAll()).object();
  f.close();
  edit(object);
  rewrite(path + ".headers", QJsonDocument(object).toJson());
}

INSTANTIATE_TEST_SUITE_P(
    Damages, BrokenEntries,
    ::testing::Values(
        Damage{"bodyMissing", [](const QString& p) { QFile::remove(p); }},
        Damage{"headersMissing", [](const QString& p) { QFile::remove(p + ".headers"); }},
        Damage{"bodyTruncated", [](const QString& p) { rewrite(p, "01234"); }},
        Damage{"bodySameSizeOtherBytes", [](const QString& p) { rewrite(p, "9876543210"); }},
        Damage{"bodyRewrittenWithItsOldTime",
               [](const QString& p) {
                 const QDateTime modified = QFileInfo(p).lastModified();
                 rewrite(p, "9876543210");
                 QFile f(p);
                 ASSERT_TRUE(f.open(QIODevice::ReadWrite));
                 ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
               }},
        Damage{"headersReplacedByAnotherEntrysHeaders",
               [](const QString& p) {
                 editHeaders(p, [](QJsonObject& o) { o["X-REST-CACHED-BODY-MD5"] = foundation::md5Hex("other"); });
               }},
        Damage{"headersTruncated", [](const QString& p) { rewrite(p + ".headers", "{\"X-REST-CACHED"); }},
        Damage{"headersNotAnObject", [](const QString& p) { rewrite(p + ".headers", "[1]"); }},
        Damage{"noResponseCode", [](const QString& p) { editHeaders(p, [](QJsonObject& o) { o.remove("X-REST-CACHED-RESPONSE-CODE"); }); }},
        Damage{"otherURL", [](const QString& p) {
                 editHeaders(p, [](QJsonObject& o) { o["X-REST-CACHED-URL"] = "http://127.0.0.1:8470/cloud/v1/other"; });
               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RequestCacheTest, HeadersFileKeepsNoCredentialsOrSession) {
  auto r = request("/account;jsessionid=SECRETSESSION");
  r->setPassword("hunter2");
  cache.storeResponseForRequest(answer(200, "{}", {{"Set-Cookie", "JSESSIONID=SECRETSESSION"},
                                                    {"X-Echo", "session SECRETSESSION"},
                                                    {"X-Pass", "pw=hunter2"},
                                                    {"Authorization", "Basic xyz"},
                                                    {"ETag", "\"e\""}})
                                     .get(),
                                 r.get());
  cache.waitForPendingWrites();
  QFile f(cache.pathForRequest(r.get()) + ".headers");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  EXPECT_FALSE(text.contains("SECRETSESSION")) << text.toStdString();
  EXPECT_FALSE(text.contains("hunter2"));
  EXPECT_FALSE(text.contains("Basic xyz"));
  EXPECT_TRUE(text.contains("\\\"e\\\""));
}

TEST_F(RequestCacheTest, OldestEntriesAreEvictedBeyondTheLimit) {
  cache.setStoreLimit(3000);
  std::vector<std::shared_ptr<RestRequest>> requests;
  for (int i = 0; i < 6; ++i) {
    requests.push_back(request(QStringLiteral("/item/%1").arg(i)));
    cache.storeResponseForRequest(answer(200, QByteArray(600, 'a' + i)).get(), requests.back().get());
    cache.waitForPendingWrites();
    usleep(2000);  // distinct file times: the eviction order is by age
  }
  qint64 total = 0;
  for (const QFileInfo& info : QDir(root() + "/PermanentStore").entryInfoList(QDir::Files)) total += info.size();
  EXPECT_LE(total, 3000);
  EXPECT_FALSE(cache.hasResponseForRequest(requests[0].get()));
  EXPECT_TRUE(cache.hasResponseForRequest(requests[5].get()));
  EXPECT_TRUE(cache.hasResponseForRequest(requests[4].get()));
}

TEST_F(RequestCacheTest, PoliciesSelectAndEmptyStores) {
  const auto r = request("/x");
  cache.storeResponseForRequest(answer(200, "p").get(), r.get());
  RestRequestCache session(root(), rest::RestRequestCacheStoragePolicyForDurationOfSession);
  session.storeResponseForRequest(answer(200, "s").get(), r.get());
  EXPECT_EQ(session.responseForRequest(r.get())->body(), "s");
  EXPECT_EQ(cache.responseForRequest(r.get())->body(), "p");
  cache.waitForPendingWrites();
  session.waitForPendingWrites();

  // A new cache on the same folder starts with an empty session store.
  RestRequestCache again(root(), rest::RestRequestCacheStoragePolicyForDurationOfSession);
  EXPECT_FALSE(again.hasResponseForRequest(r.get()));
  EXPECT_TRUE(cache.hasResponseForRequest(r.get()));

  RestRequestCache disabled(root(), rest::RestRequestCacheStoragePolicyDisabled);
  EXPECT_EQ(disabled.pathForRequest(r.get()), "");
  disabled.storeResponseForRequest(answer(200, "d").get(), r.get());
  EXPECT_FALSE(cache.hasResponseForRequest(r.get()));  // disabling empties the permanent store too

  cache.storeResponseForRequest(answer(200, "p").get(), r.get());
  cache.invalidateAll();
  EXPECT_FALSE(cache.hasResponseForRequest(r.get()));
}

// Makes a store unwritable, even for root (who ignores permission bits): the folder becomes a
// read-only file of the same name.
void makeUnwritable(const QString& store) {
  QDir(store).removeRecursively();
  rewrite(store, "not a folder");
  QFile::setPermissions(store, QFileDevice::ReadOwner);
}

TEST_F(RequestCacheTest, UnwritableStoreKeepsNothingAndDoesNotFail) {
  const auto r = request("/x");
  makeUnwritable(root() + "/PermanentStore");
  cache.storeResponseForRequest(answer(200, "p").get(), r.get());
  cache.waitForPendingWrites();  // until then the answer is held in memory
  EXPECT_FALSE(cache.hasResponseForRequest(r.get()));
  EXPECT_EQ(cache.etagForRequest(r.get()), "");
}

// Holds a write queue back until released (or destroyed): whatever is stored meanwhile is pending.
class HeldWrites {
 public:
  explicit HeldWrites(rest::cache::WriteQueue& queue) {
    queue.post([released = m_released.get_future().share()] { released.wait(); });
  }
  ~HeldWrites() { release(); }
  void release() {
    if (!m_done) m_released.set_value();
    m_done = true;
  }

 private:
  std::promise<void> m_released;
  bool m_done = false;
};

class PendingWritesTest : public RequestCacheTest {
 protected:
  // Returns once the writes that are due have run (those put off stay put off).
  void runDueWrites() {
    std::promise<void> ran;
    queue->post([&ran] { ran.set_value(); });
    ran.get_future().wait();
  }
  std::shared_ptr<rest::cache::WriteQueue> queue = std::make_shared<rest::cache::WriteQueue>();
  RestRequestCache held{root(), rest::RestRequestCacheStoragePolicyPermanently, queue};
};

TEST_F(PendingWritesTest, PendingStoresAnswerFromMemoryAndReachTheDiskInOrder) {
  HeldWrites hold(*queue);
  const auto r = request("/device;jsessionid=S1");
  held.storeResponseForRequest(answer(200, "[1]", {{"ETag", "\"e1\""}}).get(), r.get());
  held.storeResponseForRequest(answer(200, "[1,2]", {{"ETag", "\"e2\""}}).get(), r.get());
  const QString path = held.pathForRequest(r.get());
  EXPECT_FALSE(QFile::exists(path) || QFile::exists(path + ".headers"));
  ASSERT_TRUE(held.hasResponseForRequest(r.get()));
  EXPECT_EQ(held.etagForRequest(r.get()), "\"e2\"");
  EXPECT_EQ(held.responseForRequest(r.get())->body(), "[1,2]");
  clock.advanceBy(30);
  held.setCacheDateForRequest(clock.now(), r.get());
  EXPECT_EQ(held.cacheDateForRequest(r.get()), clock.now());

  hold.release();
  held.waitForPendingWrites();
  RestRequestCache restarted(root(), rest::RestRequestCacheStoragePolicyPermanently);
  const auto cached = restarted.responseForRequest(r.get());
  ASSERT_TRUE(cached);
  EXPECT_EQ(cached->body(), "[1,2]");
  EXPECT_EQ(restarted.etagForRequest(r.get()), "\"e2\"");
  EXPECT_EQ(restarted.cacheDateForRequest(r.get()), clock.now());
  EXPECT_EQ(QDir(root() + "/PermanentStore").entryList(QDir::Files).size(), 2);  // no temporary file left
}

// Ways of dropping an entry whose write is still pending: none may let the write reach the disk.
struct Drop {
  const char* name;
  std::function<void(RestRequestCache&, const RestRequest*)> apply;
};
void PrintTo(const Drop& c, std::ostream* os) { *os << c.name; }

class DroppedWhilePending : public PendingWritesTest, public ::testing::WithParamInterface<Drop> {};

TEST_P(DroppedWhilePending, NeverReachesTheDisk) {
  HeldWrites hold(*queue);
  const auto r = request("/x");
  held.storeResponseForRequest(answer(200, "old").get(), r.get());
  hold.release();
  held.waitForPendingWrites();
  HeldWrites holdAgain(*queue);
  held.storeResponseForRequest(answer(200, "new").get(), r.get());
  GetParam().apply(held, r.get());
  EXPECT_FALSE(held.hasResponseForRequest(r.get()));
  holdAgain.release();
  held.waitForPendingWrites();
  EXPECT_FALSE(held.hasResponseForRequest(r.get()));
  RestRequestCache restarted(root(), rest::RestRequestCacheStoragePolicyPermanently);
  EXPECT_FALSE(restarted.hasResponseForRequest(r.get()));
  EXPECT_TRUE(QDir(root() + "/PermanentStore").entryList(QDir::Files).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DroppedWhilePending,
    ::testing::Values(Drop{"invalidateRequest", [](RestRequestCache& c, const RestRequest* r) { c.invalidateRequest(r); }},
                      Drop{"invalidateAll", [](RestRequestCache& c, const RestRequest*) { c.invalidateAll(); }},
                      Drop{"permanentStoreEmptied",
                           [](RestRequestCache& c, const RestRequest*) {
                             c.invalidateWithStoragePolicy(rest::RestRequestCacheStoragePolicyPermanently);
                           }}),
    [](const auto& info) { return std::string(info.param.name); });

// Small bodies are also kept in memory, large ones only on disk: both must survive.
// The same answer again only moves the cache date: that is known at once but written later (or
// when the cache goes), while a new answer goes to disk without waiting for it.
TEST_F(PendingWritesTest, ADateOnlyChangeIsWrittenLaterAndANewAnswerAtOnce) {
  const auto r = request("/status");
  const QString headersFile = held.pathForRequest(r.get()) + ".headers";
  auto onDisk = [&](const char* name) {
    QFile f(headersFile);
    return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object().value(name).toString() : QString();
  };
  held.storeResponseForRequest(answer(200, "[1]", {{"ETag", "\"a\""}}).get(), r.get());
  held.waitForPendingWrites();
  const QString firstDate = onDisk("X-REST-CACHEDATE");
  ASSERT_FALSE(firstDate.isEmpty());

  clock.advanceBy(5);
  held.storeResponseForRequest(answer(200, "[1]", {{"ETag", "\"a\""}}).get(), r.get());
  EXPECT_EQ(held.cacheDateForRequest(r.get()), clock.now());
  runDueWrites();
  EXPECT_EQ(onDisk("X-REST-CACHEDATE"), firstDate);

  held.storeResponseForRequest(answer(200, "[2]", {{"ETag", "\"b\""}}).get(), r.get());
  runDueWrites();
  EXPECT_EQ(onDisk("ETag"), "\"b\"");
  EXPECT_EQ(onDisk("X-REST-CACHEDATE"), RestRequestCache::formatCacheDate(clock.now()));

  clock.advanceBy(5);
  held.setCacheDateForRequest(clock.now(), r.get());
  runDueWrites();
  EXPECT_NE(onDisk("X-REST-CACHEDATE"), RestRequestCache::formatCacheDate(clock.now()));
  held.waitForPendingWrites();
  EXPECT_EQ(onDisk("X-REST-CACHEDATE"), RestRequestCache::formatCacheDate(clock.now()));
  EXPECT_EQ(held.responseForRequest(r.get())->body(), "[2]");
}

TEST_F(RequestCacheTest, EntriesOutliveTheirCacheAndAnUpdatedDateKeepsTheBody) {
  for (const qsizetype size : {qsizetype(8), qsizetype(200 * 1024)}) {
    SCOPED_TRACE(size);
    const auto r = request(QStringLiteral("/device/%1;jsessionid=S1").arg(size));
    const QByteArray body(size, 'k');
    {
      RestRequestCache first(root(), rest::RestRequestCacheStoragePolicyPermanently);
      first.storeResponseForRequest(answer(200, body, {{"ETag", "\"k\""}}).get(), r.get());
    }  // destroyed with its write possibly pending: it is finished first
    clock.advanceBy(3600);
    {
      RestRequestCache second(root(), rest::RestRequestCacheStoragePolicyPermanently);
      ASSERT_EQ(second.etagForRequest(r.get()), "\"k\"");
      second.setCacheDateForRequest(clock.now(), r.get());  // as after a 304: only the headers change
      EXPECT_EQ(second.responseForRequest(r.get())->body(), body);
    }
    RestRequestCache third(root(), rest::RestRequestCacheStoragePolicyPermanently);
    const auto cached = third.responseForRequest(r.get());
    ASSERT_TRUE(cached);
    EXPECT_EQ(cached->body(), body);
    EXPECT_EQ(third.cacheDateForRequest(r.get()), clock.now());
  }
}

// What an interrupted write leaves (temporary files) is never an entry, and goes once it is old
// enough that no writer can still be working on it.
TEST_F(RequestCacheTest, LeftoversOfInterruptedWritesAreNotEntriesAndAreCleanedUp) {
  const auto r = request("/list");
  const QString path = cache.pathForRequest(r.get());
  rewrite(path + ".tmp-old1", "[\"torn");
  rewrite(path + ".headers.tmp-old2", "{\"X-REST-CACHED-RESPONSE-CODE\":200}");
  rewrite(path + ".tmp-young", "[");
  for (const QString& name : {path + ".tmp-old1", path + ".headers.tmp-old2"}) {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-600), QFileDevice::FileModificationTime));
  }
  RestRequestCache restarted(root(), rest::RestRequestCacheStoragePolicyPermanently);
  EXPECT_FALSE(restarted.hasResponseForRequest(r.get()));
  restarted.storeResponseForRequest(answer(200, "[1]").get(), request("/other").get());  // the first store scans
  restarted.waitForPendingWrites();
  EXPECT_FALSE(QFile::exists(path + ".tmp-old1"));
  EXPECT_FALSE(QFile::exists(path + ".headers.tmp-old2"));
  EXPECT_TRUE(QFile::exists(path + ".tmp-young"));
  EXPECT_FALSE(restarted.hasResponseForRequest(r.get()));
}

TEST(RequestCacheDates, FormatAndParseRoundTripInGmt) {
  const QDateTime date(QDate(2013, 3, 3), QTime(23, 5, 9), QTimeZone(3600));
  EXPECT_EQ(RestRequestCache::formatCacheDate(date), "Sun, 03 Mar 2013 22:05:09 GMT");
  EXPECT_EQ(RestRequestCache::parseCacheDate("Sun, 03 Mar 2013 22:05:09 GMT"), date);
  EXPECT_FALSE(RestRequestCache::parseCacheDate("yesterday").isValid());
}

}  // namespace
