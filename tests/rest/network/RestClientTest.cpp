// The client and its requests against the server core: what goes on the wire, what comes back,
// the notifications, the unreachable gate, synchronous sending, cancel and reset.
#include "NetworkTestSupport.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/RestRequestSerialization.h"
#include "support/server/TestServer.h"

#include <QDir>
#include <QStringList>

#include <mutex>
#include <optional>

#include <gtest/gtest.h>

namespace {

using namespace rest;
using simcore::HttpResponse;
using simcore::SocketEffect;
using tbtest::RecordingDelegate;

class RestClientTest : public tbtest::NetworkTest {
 protected:
  tbtest::TestServer server;
  QString base() const { return server.urlString("/cloud/v1"); }
};

qsizetype headerIndex(const simcore::HttpRequest& request, QByteArrayView name) {
  for (qsizetype i = 0; i < request.headers.size(); ++i)
    if (request.headers[i].first.compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

TEST_F(RestClientTest, GetCarriesDefaultHeadersThenZeroLengthAndNoBody) {
  auto client = makeClient(base());
  client->setValueForHTTPHeaderField("application/json", "Accept");
  client->setValueForHTTPHeaderField("yes", "X-First");
  server.script().enqueue(HttpResponse::json(200, "{\"ok\":true}"));
  RecordingDelegate delegate;
  auto request = client->getDelegate("/device;jsessionid=S1", &delegate);
  expectOneCompletion(delegate, request);
  ASSERT_EQ(server.requestCount(), 1);
  const auto seen = server.requests().first();
  EXPECT_EQ(seen.method, "GET");
  EXPECT_EQ(seen.path, "/cloud/v1/device;jsessionid=S1");
  EXPECT_EQ(seen.header("Content-Length"), "0");
  EXPECT_FALSE(seen.hasHeader("Content-Type"));
  EXPECT_TRUE(seen.body.isEmpty());
  EXPECT_EQ(seen.header("Accept"), "application/json");
  EXPECT_LT(headerIndex(seen, "Accept"), headerIndex(seen, "X-First"));
  EXPECT_LT(headerIndex(seen, "X-First"), headerIndex(seen, "Content-Length"));
  EXPECT_EQ(delegate.statusCode, 200);
  EXPECT_EQ(delegate.body, "{\"ok\":true}");
  EXPECT_EQ(delegate.events, (std::vector<std::string>{"start", "load 200"}));
  EXPECT_TRUE(request->response()->isJSON());
  EXPECT_TRUE(request->wasSentToResourcePath("/device;jsessionid=S1"));
}

TEST_F(RestClientTest, PutCarriesJsonTypeAndExactLengthAndKeepsTrailingSlash) {
  auto client = makeClient(base());
  const QByteArray body = "{\"status\":\"ON\",\"serial\":\"é1\"}";
  RecordingDelegate delegate;
  server.script().enqueue(204);
  auto request = client->putParamsDelegate(
      "/gateway/INTRUSION/mode/;jsessionid=S2",
      RestRequestSerialization::serializationWithDataMIMEType(body, "application/json"), &delegate);
  expectOneCompletion(delegate, request);
  const auto seen = server.requests().first();
  EXPECT_EQ(seen.method, "PUT");
  EXPECT_EQ(seen.path, "/cloud/v1/gateway/INTRUSION/mode/;jsessionid=S2");
  EXPECT_EQ(seen.header("Content-Type"), "application/json");
  EXPECT_EQ(seen.header("Content-Length"), QByteArray::number(body.size()));
  EXPECT_EQ(seen.body, body);
  EXPECT_EQ(delegate.statusCode, 204);
  EXPECT_EQ(request->HTTPBodyString(), QString::fromUtf8(body));
}

TEST_F(RestClientTest, EveryMethodReachesTheServer) {
  auto client = makeClient(base());
  server.script().setFallback(HttpResponse::json(200, "{}"));
  RecordingDelegate get, query, post, put, del;
  auto serialization = RestRequestSerialization::serializationWithDataMIMEType("a=1", "application/x-www-form-urlencoded");
  std::vector<std::shared_ptr<RestRequest>> requests{
      client->getDelegate("/a", &get), client->getQueryParamsDelegate("/b", {{"k", "v 1"}}, &query),
      client->postParamsDelegate("/c", serialization, &post), client->putParamsDelegate("/d", serialization, &put),
      client->deleteDelegate("/e", &del)};
  ASSERT_TRUE(tbtest::waitUntil([&] { return get.loads + query.loads + post.loads + put.loads + del.loads == 5; }));
  QStringList seen;
  for (const auto& r : server.requests()) seen << QString::fromLatin1(r.method + ' ' + r.target);
  seen.sort();
  EXPECT_EQ(seen.join(", "), "DELETE /cloud/v1/e, GET /cloud/v1/a, GET /cloud/v1/b?k=v%201, POST /cloud/v1/c, PUT /cloud/v1/d");
}

TEST_F(RestClientTest, HttpErrorsAreAnswersNotFailures) {
  auto client = makeClient(base());
  for (int status : {404, 403, 500, 620}) {
    server.script().enqueue(HttpResponse::json(status, "{\"code\":1}"));
    RecordingDelegate delegate;
    auto request = client->getDelegate("/x", &delegate);
    expectOneCompletion(delegate, request);
    EXPECT_EQ(delegate.loads, 1) << status;
    EXPECT_EQ(delegate.statusCode, status);
    EXPECT_EQ(delegate.body, "{\"code\":1}");
    EXPECT_FALSE(request->response()->isFailure());
  }
}

TEST_F(RestClientTest, NotificationsCarryTheResponseAndTheError) {
  auto client = makeClient(base());
  std::vector<std::string> heard;
  RestResponse* notifiedResponse = nullptr;
  std::optional<foundation::Error> notifiedError;
  foundation::Observations observations;
  for (const char* name : {RestRequestSentNotification, RestRequestDidLoadResponseNotification,
                           RestRequestDidFailWithErrorNotification, RestServiceDidBecomeUnavailableNotification}) {
    observations.add(name, [&, name](const foundation::Notification& n) {
      heard.emplace_back(name);
      if (auto r = n.info<RestResponse*>("response")) notifiedResponse = *r;
      if (auto e = n.info<foundation::Error>("error")) notifiedError = *e;
    });
  }
  bool alerted = false;
  RestClient::setAlertPresenter([&](const QString&, const QString&, const QString&) { alerted = true; });

  server.script().enqueue(HttpResponse::text(503, "down"));
  RecordingDelegate delegate;
  auto request = client->getDelegate("/x", &delegate);
  expectOneCompletion(delegate, request);
  EXPECT_EQ(heard, (std::vector<std::string>{RestRequestSentNotification, RestServiceDidBecomeUnavailableNotification,
                                             RestRequestDidLoadResponseNotification}));
  EXPECT_EQ(notifiedResponse, request->response().get());
  EXPECT_FALSE(alerted);

  // The alert only when the client asks for it.
  client->setServiceUnavailableAlertEnabled(true);
  server.script().enqueue(HttpResponse::text(503, "down"));
  RecordingDelegate second;
  auto again = client->getDelegate("/x", &second);
  expectOneCompletion(second, again);
  EXPECT_TRUE(alerted);
  RestClient::setAlertPresenter({});

  heard.clear();
  server.script().enqueue(HttpResponse::text(200, "x").withEffect(SocketEffect::closeMidBody()));
  RecordingDelegate failing;
  auto broken = client->getDelegate("/y", &failing);
  expectOneCompletion(failing, broken);
  EXPECT_EQ(heard, (std::vector<std::string>{RestRequestSentNotification, RestRequestDidFailWithErrorNotification}));
  ASSERT_TRUE(notifiedError.has_value());
  EXPECT_EQ(notifiedError->domain, kRestErrorDomain);
}

TEST_F(RestClientTest, UnreachableNetworkFailsWithCodeTwoWithoutConnecting) {
  auto client = makeClient(base(), false);
  setReachable(false);
  RecordingDelegate delegate;
  auto request = client->getDelegate("/device", &delegate);
  expectOneCompletion(delegate, request);
  ASSERT_TRUE(delegate.error.has_value());
  EXPECT_EQ(delegate.error->code, kRestUnableToContactResource);
  EXPECT_EQ(delegate.error->message, ("The client is unable to contact the resource at " + base() + "/device").toStdString());
  EXPECT_EQ(server.server().connectionsAccepted(), 0);
  EXPECT_EQ(delegate.starts, 0);
  EXPECT_FALSE(client->isNetworkReachable());
}

// Whoever reads the log or an error text must not find a session to sign in with.
TEST_F(RestClientTest, SessionIdentifiersReachNeitherLogsNorErrors) {
  auto client = makeClient(base());  // the first client installs the log format: capture after it
  // Any thread may log (the transport's, the server's): the list is shared under a lock.
  static std::mutex mutex;
  static QStringList logged;
  logged.clear();
  const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
    std::lock_guard lock(mutex);
    logged << text;
  });
  server.script().enqueue(HttpResponse::json(200, "{\"x\": 1}").withEffect(SocketEffect::closeMidBody()));
  server.script().enqueue(HttpResponse::json(200, "{}").withHeader("X-Fill", QByteArray(70 * 1024, 'x')));
  std::vector<std::optional<foundation::Error>> errors;
  for (const char* path : {"/device;jsessionid=S3CR3T", "/mode/;jsessionid=S3CR3T"}) {
    RecordingDelegate delegate;
    expectOneCompletion(delegate, client->getDelegate(path, &delegate));
    errors.push_back(delegate.error);
  }
  setReachable(false);
  RecordingDelegate offline;
  expectOneCompletion(offline, client->getDelegate("/history;jsessionid=S3CR3T", &offline));
  errors.push_back(offline.error);
  qInstallMessageHandler(previous);
  for (const auto& error : errors) {
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(QString::fromStdString(error->message).count("S3CR3T"), 0) << error->message;
    EXPECT_TRUE(QString::fromStdString(error->message).contains(";jsessionid=<hidden>")) << error->message;
  }
  std::lock_guard lock(mutex);
  EXPECT_FALSE(logged.isEmpty());
  for (const QString& line : logged) EXPECT_FALSE(line.contains("S3CR3T")) << line.toStdString();
}

TEST_F(RestClientTest, UnreachableNetworkAnswersFromCacheWhenAllowed) {
  auto client = makeClient(base());
  server.script().enqueue(HttpResponse::json(200, "[\"cached\"]").withHeader("ETag", "\"1\""));
  RecordingDelegate first;
  auto request = client->getDelegate("/list", &first);
  expectOneCompletion(first, request);

  setReachable(false);
  client->setCachePolicy(RestRequestCachePolicyDefault | RestRequestCachePolicyLoadIfOffline);
  RecordingDelegate offline;
  auto again = client->getDelegate("/list", &offline);
  expectOneCompletion(offline, again);
  EXPECT_EQ(offline.loads, 1);
  EXPECT_TRUE(offline.fromCache);
  EXPECT_EQ(offline.body, "[\"cached\"]");
  EXPECT_EQ(server.requestCount(), 1);

  // Without the bit the cache is not consulted: code 2, and still no connection.
  client->setCachePolicy(RestRequestCachePolicyDefault);
  RecordingDelegate strict;
  auto third = client->getDelegate("/list", &strict);
  expectOneCompletion(strict, third);
  EXPECT_EQ(strict.failures, 1);
  EXPECT_EQ(server.requestCount(), 1);
}

TEST_F(RestClientTest, SynchronousSendReturnsTheResponse) {
  auto client = makeClient(base());
  server.script().enqueue(HttpResponse::json(201, "{\"id\":7}"));
  RecordingDelegate delegate;
  auto request = client->requestWithResourcePathDelegate("/new", &delegate);
  request->setMethod(RestRequestMethodPOST);
  request->setParams(RestRequestSerialization::serializationWithDataMIMEType("{}", "application/json"));
  const auto response = request->sendSynchronously();
  ASSERT_TRUE(response);
  EXPECT_EQ(response->statusCode(), 201);
  EXPECT_EQ(response->body(), "{\"id\":7}");
  EXPECT_TRUE(request->sentSynchronously());
  EXPECT_TRUE(request->isLoaded());
  EXPECT_EQ(delegate.events, (std::vector<std::string>{"start", "load 201"}));

  setReachable(false);
  auto offline = client->requestWithResourcePathDelegate("/new", nullptr);
  const auto failed = offline->sendSynchronously();
  ASSERT_TRUE(failed && failed->isFailure());
  EXPECT_EQ(failed->failureError()->code, kRestUnableToContactResource);
}

TEST_F(RestClientTest, CancelStopsALoadingRequestAndResetMakesItSendable) {
  auto client = makeClient(base());
  server.script().enqueue(HttpResponse::text(200, "late").withEffect(SocketEffect::hold()));
  RecordingDelegate delegate;
  auto request = client->getDelegate("/slow", &delegate);
  ASSERT_TRUE(tbtest::waitUntil([&] { return server.server().heldCount() == 1; }));
  request->cancel();
  EXPECT_EQ(delegate.cancels, 1);
  EXPECT_FALSE(request->isLoading());
  EXPECT_EQ(client->requestQueue()->loadingCount(), 0);
  server.server().releaseHeld();
  tbtest::processEventsFor(80);
  EXPECT_EQ(delegate.completions(), 0);

  // A loaded request goes again only after a reset.
  server.script().enqueue(HttpResponse::text(200, "one"));
  RecordingDelegate twice;
  auto reused = client->getDelegate("/again", &twice);
  expectOneCompletion(twice, reused);
  reused->reset();
  EXPECT_TRUE(reused->isUnsent());
  server.script().enqueue(HttpResponse::text(200, "two"));
  reused->send();
  ASSERT_TRUE(tbtest::waitUntil([&] { return twice.loads == 2; }));
  EXPECT_EQ(twice.body, "two");
}

// A delegate that cancels from a progress callback may drop the last reference to its request:
// the request must not touch itself afterwards (the address sanitizer's build sees it), and the
// queue moves on.
TEST_F(RestClientTest, CancelFromAProgressCallbackIsSafe) {
  struct CancellingDelegate : RecordingDelegate {
    void requestDidReceivedDataTotalBytesReceivedTotalBytesExectedToReceive(rest::RestRequest* request, qint64 chunk,
                                                                           qint64 total, qint64 expected) override {
      RecordingDelegate::requestDidReceivedDataTotalBytesReceivedTotalBytesExectedToReceive(request, chunk, total, expected);
      request->cancel();
    }
  };
  auto client = makeClient(base());
  for (int i = 0; i < 3; ++i) server.script().enqueue(HttpResponse::json(200, "[" + QByteArray(256 * 1024, ' ') + "]"));
  for (int i = 0; i < 3; ++i) {
    CancellingDelegate delegate;
    std::weak_ptr<RestRequest> weak = client->getDelegate("/big", &delegate);
    ASSERT_TRUE(tbtest::waitUntil([&] { return delegate.cancels > 0; }, 10000));
    tbtest::processEventsFor(50);
    EXPECT_EQ(delegate.completions(), 0);
    EXPECT_EQ(delegate.cancels, 1);
    EXPECT_TRUE(weak.expired());
  }
  EXPECT_EQ(client->requestQueue()->count(), 0u);
  EXPECT_EQ(client->requestQueue()->loadingCount(), 0);
}

TEST_F(RestClientTest, FirstClientBecomesShared) {
  auto first = makeClient(base());
  auto second = RestClient::clientWithBaseURL("http://127.0.0.1:1/other");
  EXPECT_EQ(RestClient::sharedClient(), first);
  RestClient::setSharedClient(second);
  EXPECT_EQ(RestClient::sharedClient(), second);
  EXPECT_EQ(first->requestCache()->cachePath(), QDir(cachesPath()).filePath("RestClientRequestCache-127.0.0.1"));
  EXPECT_TRUE(QDir(first->requestCache()->cachePath() + "/PermanentStore").exists());
  EXPECT_EQ(first->URLPathForResourcePath("/a/"), base() + "/a/");
  EXPECT_EQ(first->cachePolicy(), RestRequestCachePolicyDefault);
}

using RestClientDeathTest = RestClientTest;

TEST_F(RestClientDeathTest, ProgrammingErrorsStopWithTheirMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(RestRequestSerialization(QByteArray(), "application/json"), "Cannot create a request serialization without Data");
  EXPECT_DEATH(RestRequestSerialization("{}", ""), "Cannot create a request serialization without a MIME Type");
  EXPECT_DEATH(RestRequest(QUrl("http://h/x")).setResourcePath("/y"),
               "Resource path can only be mutated when self.URL is an RestURL instance");
  EXPECT_DEATH(
      {
        auto client = makeClient(base());
        server.script().enqueue(HttpResponse::text(200, "x").withEffect(SocketEffect::hold()));
        auto request = client->requestWithResourcePathDelegate("/x", nullptr);
        request->sendAsynchronously();
        request->sendAsynchronously();
      },
      "Cannot send a request that is loading or loaded without resetting it first.");
}

}  // namespace
