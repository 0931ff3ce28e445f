// Faults of the network and of the server, and the response cache on the wire. Every request
// must end exactly once (an answer or an error, never both, never a partial answer reported as a
// success) and leave nothing in flight.
#include "NetworkTestSupport.h"
#include "rest/network/CacheWriteQueue.h"
#include "rest/network/RestRequestSerialization.h"
#include "support/server/TestServer.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <future>

namespace {

using namespace rest;
using simcore::HttpResponse;
using simcore::SocketEffect;
using tbtest::RecordingDelegate;

class TransportFaultTest : public tbtest::NetworkTest {
 protected:
  tbtest::TestServer server;
  QString base() const { return server.urlString("/svc"); }

  // Sends one GET and returns its delegate once the request has settled.
  std::unique_ptr<RecordingDelegate> get(const std::shared_ptr<RestClient>& client, const QString& path) {
    auto delegate = std::make_unique<RecordingDelegate>();
    auto request = client->getDelegate(path, delegate.get());
    expectOneCompletion(*delegate, request);
    return delegate;
  }
};

struct FaultCase {
  const char* name;
  HttpResponse answer;
  int expectedCode;
  // The transport resends once a request whose connection closed before any byte of an answer.
  int attempts = 1;
  // An answer cut short by a close can reach the transport as "closed before any byte" when the
  // close is seen before the bytes (a loaded machine), so it may be sent a second time; either
  // way it must end in one failure.
  bool mayBeResent = false;
};

// Test names, not bytes, in the listings.
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class ServerFaults : public TransportFaultTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ServerFaults, EndInExactlyOneFailure) {
  auto client = makeClient(base());
  client->setTimeoutInterval(1.0);  // well above the drip's 0.1 s gaps, even on a loaded machine
  server.script().setFallback(GetParam().answer);
  const auto delegate = get(client, "/fault");
  EXPECT_EQ(delegate->loads, 0) << "status " << delegate->statusCode << " body " << delegate->body.toStdString();
  ASSERT_EQ(delegate->failures, 1);
  EXPECT_EQ(delegate->error->code, GetParam().expectedCode) << delegate->error->message;
  EXPECT_EQ(delegate->error->domain, kRestErrorDomain);
  if (GetParam().mayBeResent) {
    EXPECT_GE(server.requestCount(), GetParam().attempts);
    EXPECT_LE(server.requestCount(), GetParam().attempts + 1);
  } else {
    EXPECT_EQ(server.requestCount(), GetParam().attempts);
  }
}

HttpResponse body(const SocketEffect& effect) {
  return HttpResponse::json(200, "{\"figures\":[1,2,3,4,5,6,7,8,9]}").withEffect(effect);
}

HttpResponse headers(int count, int valueSize) {
  HttpResponse answer = HttpResponse::json(200, "{}");
  for (int i = 0; i < count; ++i) answer.withHeader("X-Filler-" + QByteArray::number(i), QByteArray(valueSize, 'v'));
  return answer;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ServerFaults,
    ::testing::Values(FaultCase{"closeBeforeAnswering", body(SocketEffect::closeBeforeAnswer()), kRestConnectionClosed, 2},
                      FaultCase{"closeMidBody", body(SocketEffect::closeMidBody()), kRestConnectionClosed, 1, true},
                      FaultCase{"lengthLongerThanBody", body(SocketEffect::contentLengthLongerBy(10)),
                                kRestConnectionClosed, 1, true},
                      FaultCase{"stallPastTimeout", body(SocketEffect::stall()), kRestTimedOut},
                      FaultCase{"headersTooLarge", headers(80, 900), kRestHeadersTooLarge},
                      FaultCase{"headersTooMany", headers(150, 1), kRestHeadersTooLarge},
                      FaultCase{"dripThenShort", body([] {
                                  SocketEffect e = SocketEffect::throttle(4, 100);
                                  e.extraContentLength = 3;
                                  return e;
                                }()),
                                kRestConnectionClosed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransportFaultTest, ConnectionRefused) {
  quint16 port;
  {
    simcore::ScriptedDispatcher unused;
    simcore::HttpServer closed(&unused);
    ASSERT_TRUE(closed.listen());
    port = closed.port();
  }
  auto client = makeClient(QStringLiteral("http://127.0.0.1:%1/svc").arg(port));
  const auto delegate = get(client, "/x");
  ASSERT_EQ(delegate->failures, 1);
  EXPECT_EQ(delegate->error->code, kRestConnectionRefused);
}

TEST_F(TransportFaultTest, StallTimesOutWithinTheConfiguredInterval) {
  auto client = makeClient(base());
  client->setTimeoutInterval(0.25);
  server.script().enqueue(body(SocketEffect::stall()));
  QElapsedTimer elapsed;
  elapsed.start();
  const auto delegate = get(client, "/x");
  EXPECT_EQ(delegate->error->code, kRestTimedOut);
  EXPECT_LT(elapsed.elapsed(), 3000);
}

TEST_F(TransportFaultTest, SlowDripIsNotATimeoutAndDeliversTheWholeBody) {
  auto client = makeClient(base());
  // The whole drip lasts 1.6 s, twice the timeout; but it makes progress every 0.1 s, and the
  // timeout counts time without progress.
  client->setTimeoutInterval(0.8);
  const QByteArray text = "0123456789abcdef";
  server.script().enqueue(HttpResponse::text(200, text).withEffect(SocketEffect::throttle(1, 100)));
  const auto delegate = get(client, "/drip");
  ASSERT_EQ(delegate->loads, 1) << (delegate->error ? delegate->error->message : "");
  EXPECT_EQ(delegate->body, text);
  EXPECT_EQ(delegate->bytesReceived, text.size());

  // The same drip under a deadline shorter than the whole answer: progress or not, it ends then.
  client->setDeadlineInterval(0.5);
  server.script().enqueue(HttpResponse::text(200, text).withEffect(SocketEffect::throttle(1, 100)));
  QElapsedTimer elapsed;
  elapsed.start();
  const auto late = get(client, "/drip");
  ASSERT_EQ(late->failures, 1);
  EXPECT_EQ(late->error->code, kRestTimedOut);
  EXPECT_LT(elapsed.elapsed(), 1500);
}

TEST_F(TransportFaultTest, OversizedBodyFailsAndIsNotCached) {
  auto client = makeClient(base());
  client->setMaximumResponseBodySize(1000);
  server.script().enqueue(HttpResponse::json(200, QByteArray(5000, ' ') + "{}").withHeader("ETag", "\"big\""));
  const auto delegate = get(client, "/big");
  ASSERT_EQ(delegate->failures, 1);
  EXPECT_EQ(delegate->error->code, kRestResponseTooLarge);
  auto probe = client->requestWithResourcePathDelegate("/big", nullptr);
  EXPECT_FALSE(client->requestCache()->hasResponseForRequest(probe.get()));
}

TEST_F(TransportFaultTest, ServiceUnavailableIsAnAnswer) {
  auto client = makeClient(base());
  server.script().enqueue(HttpResponse::text(503, "busy"));
  const auto delegate = get(client, "/x");
  EXPECT_EQ(delegate->loads, 1);
  EXPECT_EQ(delegate->statusCode, 503);
}

TEST_F(TransportFaultTest, NotModifiedIsReplacedByTheCachedAnswer) {
  auto client = makeClient(base());
  server.script().enqueue(HttpResponse::json(200, "[\"v1\"]").withHeader("ETag", "\"e1\""));
  server.script().enqueue(HttpResponse::text(304, ""));
  const auto first = get(client, "/device;jsessionid=S");
  EXPECT_FALSE(first->fromCache);
  const auto second = get(client, "/device;jsessionid=S");
  ASSERT_EQ(server.requestCount(), 2);
  EXPECT_EQ(server.requests()[0].header("If-None-Match"), "");
  EXPECT_EQ(server.requests()[1].header("If-None-Match"), "\"e1\"");
  EXPECT_EQ(second->loads, 1);
  EXPECT_TRUE(second->fromCache);
  EXPECT_EQ(second->statusCode, 200);
  EXPECT_EQ(second->body, "[\"v1\"]");
}

// The answer is still being written when the next request revalidates it: the entity tag and the
// body come from memory.
TEST_F(TransportFaultTest, AnAnswerNotYetOnDiskIsRevalidatedFromMemory) {
  auto client = makeClient(base());
  auto writer = std::make_shared<cache::WriteQueue>();
  client->setRequestCache(std::make_shared<RestRequestCache>(client->requestCache()->cachePath(),
                                                             RestRequestCacheStoragePolicyPermanently, writer));
  std::promise<void> released;
  writer->post([done = released.get_future().share()] { done.wait(); });
  struct Release {
    std::promise<void>& promise;
    ~Release() { promise.set_value(); }
  } release{released};

  server.script().enqueue(HttpResponse::json(200, "[\"v1\"]").withHeader("ETag", "\"e1\""));
  server.script().enqueue(HttpResponse::text(304, ""));
  get(client, "/device;jsessionid=S");
  auto probe = client->requestWithResourcePathDelegate("/device;jsessionid=S", nullptr);
  ASSERT_FALSE(QFile::exists(client->requestCache()->pathForRequest(probe.get())));
  const auto second = get(client, "/device;jsessionid=S");
  ASSERT_EQ(server.requestCount(), 2);
  EXPECT_EQ(server.requests()[1].header("If-None-Match"), "\"e1\"");
  EXPECT_TRUE(second->fromCache);
  EXPECT_EQ(second->statusCode, 200);
  EXPECT_EQ(second->body, "[\"v1\"]");
}

// The entry that made the request conditional is gone when the 304 arrives: the request is sent
// again without the entity tag instead of reporting an empty answer.
TEST_F(TransportFaultTest, NotModifiedForAVanishedEntryAsksForTheWholeAnswer) {
  auto client = makeClient(base());
  server.script().enqueue(HttpResponse::json(200, "[\"v1\"]").withHeader("ETag", "\"e1\""));
  server.script().enqueue(HttpResponse::text(304, ""));
  server.script().enqueue(HttpResponse::json(200, "[\"v2\"]").withHeader("ETag", "\"e2\""));
  get(client, "/list");
  RecordingDelegate delegate;
  auto request = client->getDelegate("/list", &delegate);
  client->requestCache()->invalidateRequest(request.get());  // sent with "e1", not answered yet
  expectOneCompletion(delegate, request);
  ASSERT_EQ(server.requestCount(), 3);
  EXPECT_EQ(server.requests()[1].header("If-None-Match"), "\"e1\"");
  EXPECT_EQ(server.requests()[2].header("If-None-Match"), "");
  EXPECT_EQ(delegate.loads, 1);
  EXPECT_EQ(delegate.statusCode, 200);
  EXPECT_FALSE(delegate.fromCache);
  EXPECT_EQ(delegate.body, "[\"v2\"]");
  EXPECT_EQ(client->requestCache()->etagForRequest(request.get()), "\"e2\"");
}

// Validators and stored answers belong to reads. A command carries no If-None-Match and its
// answer is never stored, so a 304 to a command cannot turn into an earlier answer; a read that
// sent its validator gets the stored answer for a 304.
TEST_F(TransportFaultTest, ValidatorsAndStoredAnswersBelongToReads) {
  auto client = makeClient(base());
  auto json = RestRequestSerialization::serializationWithDataMIMEType("{\"s\":\"ON\"}", "application/json");
  server.script().enqueue(HttpResponse::json(200, "\"get\"").withHeader("ETag", "\"g\""));
  server.script().enqueue(HttpResponse::json(200, "\"put\"").withHeader("ETag", "\"p\""));
  server.script().enqueue(HttpResponse::json(304, ""));
  server.script().enqueue(HttpResponse::json(304, ""));
  get(client, "/device/status");
  std::vector<std::unique_ptr<RecordingDelegate>> puts;
  for (int i = 0; i < 2; ++i) {
    puts.push_back(std::make_unique<RecordingDelegate>());
    expectOneCompletion(*puts.back(), client->putParamsDelegate("/device/status", json, puts.back().get()));
  }
  const auto reread = get(client, "/device/status");
  ASSERT_EQ(server.requests().size(), 4u);
  EXPECT_EQ(server.requests()[1].header("If-None-Match"), "");
  EXPECT_EQ(server.requests()[2].header("If-None-Match"), "");
  EXPECT_EQ(puts[1]->statusCode, 304);
  EXPECT_FALSE(puts[1]->fromCache);
  EXPECT_EQ(server.requests()[3].header("If-None-Match"), "\"g\"");
  EXPECT_TRUE(reread->fromCache);
  EXPECT_EQ(reread->body, "\"get\"");
  client->requestCache()->waitForPendingWrites();
  EXPECT_EQ(QDir(client->requestCache()->cachePath() + "/PermanentStore").entryList(QDir::Files).size(), 2);
}

TEST_F(TransportFaultTest, TornEntryIsIgnoredAndTheAnswerIsFetchedAgain) {
  auto client = makeClient(base());
  server.script().enqueue(HttpResponse::json(200, "[\"first\"]").withHeader("ETag", "\"e1\""));
  server.script().enqueue(HttpResponse::json(200, "[\"second\"]").withHeader("ETag", "\"e2\""));
  get(client, "/list");
  auto probe = client->requestWithResourcePathDelegate("/list", nullptr);
  client->requestCache()->waitForPendingWrites();
  const QString path = client->requestCache()->pathForRequest(probe.get());
  QFile body(path);
  ASSERT_TRUE(body.open(QIODevice::WriteOnly | QIODevice::Truncate));
  body.write("[\"fir");
  body.close();
  const auto delegate = get(client, "/list");
  EXPECT_EQ(server.requests()[1].header("If-None-Match"), "");
  EXPECT_FALSE(delegate->fromCache);
  EXPECT_EQ(delegate->body, "[\"second\"]");
  EXPECT_EQ(client->requestCache()->etagForRequest(probe.get()), "\"e2\"");
}

TEST_F(TransportFaultTest, UnwritableCacheStillDeliversTheAnswer) {
  auto client = makeClient(base());
  const QString store = client->requestCache()->cachePath() + "/PermanentStore";
  // A read-only file where the folder was: no write can succeed, not even as root.
  ASSERT_TRUE(QDir(store).removeRecursively());
  QFile blocker(store);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  QFile::setPermissions(store, QFileDevice::ReadOwner);
  server.script().enqueue(HttpResponse::json(200, "[1]").withHeader("ETag", "\"e\""));
  const auto delegate = get(client, "/x");
  EXPECT_EQ(delegate->loads, 1);
  EXPECT_EQ(delegate->body, "[1]");
}

TEST_F(TransportFaultTest, LoadOnErrorAnswersFromTheCache) {
  auto client = makeClient(base());
  client->setCachePolicy(RestRequestCachePolicyDefault | RestRequestCachePolicyLoadOnError);
  server.script().enqueue(HttpResponse::json(200, "[\"kept\"]"));
  server.script().enqueue(body(SocketEffect::closeMidBody()));
  get(client, "/x");
  const auto delegate = get(client, "/x");
  EXPECT_EQ(delegate->loads, 1);
  EXPECT_TRUE(delegate->fromCache);
  EXPECT_EQ(delegate->body, "[\"kept\"]");
}

TEST_F(TransportFaultTest, StoredOnlyAnswersFromTheStoreOrFailsAndNeverSends) {
  auto client = makeClient(base());
  server.script().setFallback(HttpResponse::json(200, "[\"kept\"]"));
  get(client, "/x");
  ASSERT_EQ(server.requestCount(), 1);

  const rest::RestClient::CachePolicyScope storedOnly(RestRequestCachePolicyStoredOnly);
  const auto stored = get(client, "/x");
  EXPECT_TRUE(stored->fromCache);
  EXPECT_EQ(stored->body, "[\"kept\"]");
  const auto missing = get(client, "/never-asked");
  EXPECT_EQ(missing->failures, 1);
  ASSERT_TRUE(missing->error.has_value());
  EXPECT_EQ(missing->error->code, rest::kRestNoStoredAnswer);
  EXPECT_EQ(server.requestCount(), 1);
}

struct FreshnessCase {
  const char* name;
  double timeoutInterval;
  qint64 entryAgeSeconds;  // negative: the entry is dated after now (the clock was set back)
  bool fromCache;
};
void PrintTo(const FreshnessCase& c, std::ostream* os) { *os << c.name; }

class CacheFreshness : public TransportFaultTest, public ::testing::WithParamInterface<FreshnessCase> {};

TEST_P(CacheFreshness, OnlyAYoungEntryAnswersWithoutSending) {
  const FreshnessCase& c = GetParam();
  auto client = makeClient(base());
  server.script().setFallback(HttpResponse::json(200, "[\"a\"]"));
  get(client, "/x");
  ASSERT_EQ(server.requestCount(), 1);

  RecordingDelegate delegate;
  auto request = client->requestWithResourcePathDelegate("/x", &delegate);
  request->setCacheTimeoutInterval(c.timeoutInterval);
  client->requestCache()->setCacheDateForRequest(QDateTime::currentDateTimeUtc().addSecs(-c.entryAgeSeconds),
                                                 request.get());
  request->send();
  expectOneCompletion(delegate, request);
  EXPECT_EQ(delegate.fromCache, c.fromCache);
  EXPECT_EQ(server.requestCount(), c.fromCache ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CacheFreshness,
    ::testing::Values(FreshnessCase{"YoungerThanTheInterval", 3600, 10, true},
                      FreshnessCase{"OlderThanTheInterval", 3600, 7200, false},
                      FreshnessCase{"DatedInTheFuture", 3600, -600, false},
                      // No interval: a repeated command must reach the box even within the second.
                      FreshnessCase{"NoIntervalSameInstant", 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
