// The request queue with real requests: concurrency, order, the reachability and background
// holds, cancellation, the delegate's messages and the activity counter.
#include "NetworkTestSupport.h"
#include "rest/network/NetworkActivity.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/RestRequestQueue.h"
#include "support/ManualClockFixture.h"
#include "support/server/TestServer.h"

#include <gtest/gtest.h>

namespace {

using namespace rest;
using simcore::HttpResponse;
using simcore::SocketEffect;
using tbtest::RecordingDelegate;

struct RecordingQueueDelegate : RestRequestQueueDelegate {
  std::vector<std::string> events;
  void requestQueueWillSendRequest(RestRequestQueue*, RestRequest* r) override { events.push_back("will " + r->resourcePath().toStdString()); }
  void requestQueueDidSendRequest(RestRequestQueue*, RestRequest* r) override { events.push_back("did " + r->resourcePath().toStdString()); }
  void requestQueueDidLoadResponse(RestRequestQueue*, RestResponse* r) override {
    events.push_back("loaded " + std::to_string(r ? r->statusCode() : -1));
  }
  void requestQueueDidFailRequestWithError(RestRequestQueue*, RestRequest*, const foundation::Error& e) override {
    events.push_back("failed " + std::to_string(e.code));
  }
  void requestQueueDidCancelRequest(RestRequestQueue*, RestRequest* r) override { events.push_back("cancelled " + r->resourcePath().toStdString()); }
  void requestQueueDidBeginLoading(RestRequestQueue*) override { events.push_back("begin"); }
  void requestQueueDidFinishLoading(RestRequestQueue*) override { events.push_back("finish"); }
  void requestQueueWasSuspended(RestRequestQueue*) override { events.push_back("suspended"); }
  void requestQueueWasUnsuspended(RestRequestQueue*) override { events.push_back("unsuspended"); }
};

class RequestQueueTest : public tbtest::NetworkTest {
 protected:
  tbtest::TestServer server;
  QString base() const { return server.urlString("/svc"); }
};

TEST_F(RequestQueueTest, SixRequestsKeepFiveInFlightUntilOneEnds) {
  auto client = makeClient(base());
  for (int i = 0; i < 6; ++i) server.script().enqueue(HttpResponse::text(200, QByteArray::number(i)).withEffect(SocketEffect::hold()));
  std::vector<RecordingDelegate> delegates(6);
  std::vector<std::shared_ptr<RestRequest>> requests;
  for (int i = 0; i < 6; ++i) requests.push_back(client->getDelegate(QStringLiteral("/r/%1").arg(i), &delegates[i]));
  auto queue = client->requestQueue();
  EXPECT_EQ(queue->loadingCount(), 5);
  EXPECT_TRUE(requests[5]->isUnsent());
  ASSERT_TRUE(tbtest::waitUntil([&] { return server.server().heldCount() == 5; }));
  tbtest::processEventsFor(100);
  EXPECT_EQ(server.requestCount(), 5);

  ASSERT_EQ(server.server().releaseHeld(1), 1);
  ASSERT_TRUE(tbtest::waitUntil([&] { return server.requestCount() == 6; }));
  EXPECT_EQ(queue->loadingCount(), 5);
  EXPECT_FALSE(requests[5]->isUnsent());
  server.server().releaseHeld();
  for (int i = 0; i < 6; ++i) expectOneCompletion(delegates[i], requests[i], 0);
  EXPECT_EQ(queue->count(), 0u);
  EXPECT_EQ(queue->loadingCount(), 0);
}

TEST_F(RequestQueueTest, RequestsWaitForReachabilityThenLeaveInOrder) {
  auto client = makeClient(base(), false);
  auto queue = client->requestQueue();
  queue->setConcurrentRequestsLimit(1);  // one connection at a time: the server sees the send order
  RecordingQueueDelegate queueDelegate;
  queue->setDelegate(&queueDelegate);
  server.script().setFallback(HttpResponse::text(200, "ok"));
  std::vector<RecordingDelegate> delegates(3);
  std::vector<std::shared_ptr<RestRequest>> requests;
  for (int i = 0; i < 3; ++i) requests.push_back(client->getDelegate(QStringLiteral("/%1").arg(i), &delegates[i]));
  EXPECT_TRUE(client->isAwaitingReachabilityDetermination());
  EXPECT_TRUE(queue->suspended());
  tbtest::processEventsFor(100);
  EXPECT_EQ(server.server().connectionsAccepted(), 0);
  EXPECT_EQ(queue->count(), 3u);

  setReachable(true);
  EXPECT_FALSE(client->isAwaitingReachabilityDetermination());
  for (int i = 0; i < 3; ++i) expectOneCompletion(delegates[i], requests[i], 0);
  QStringList paths;
  for (const auto& r : server.requests()) paths << QString::fromLatin1(r.path);
  EXPECT_EQ(paths.join(' '), "/svc/0 /svc/1 /svc/2");
  EXPECT_EQ(queueDelegate.events,
            (std::vector<std::string>{"unsuspended", "will /0", "begin", "did /0", "finish", "loaded 200", "will /1", "begin",
                                      "did /1", "finish", "loaded 200", "will /2", "begin", "did /2", "finish", "loaded 200"}));
}

TEST_F(RequestQueueTest, BackgroundSuspendsAndForegroundResumes) {
  auto client = makeClient(base());
  auto queue = client->requestQueue();
  auto& center = foundation::NotificationCenter::defaultCenter();
  center.post(RestApplicationDidEnterBackgroundNotification);
  EXPECT_TRUE(queue->suspended());
  server.script().enqueue(HttpResponse::text(200, "later"));
  RecordingDelegate delegate;
  auto request = client->getDelegate("/bg", &delegate);
  tbtest::processEventsFor(100);
  EXPECT_TRUE(request->isUnsent());
  EXPECT_EQ(server.server().connectionsAccepted(), 0);
  center.post(RestApplicationWillEnterForegroundNotification);
  EXPECT_FALSE(queue->suspended());
  expectOneCompletion(delegate, request);
  EXPECT_EQ(delegate.body, "later");
}

TEST_F(RequestQueueTest, CancellingUnsentAndLoadingRequests) {
  auto client = makeClient(base());
  auto queue = client->requestQueue();
  queue->setConcurrentRequestsLimit(1);
  RecordingQueueDelegate queueDelegate;
  queue->setDelegate(&queueDelegate);
  server.script().enqueue(HttpResponse::text(200, "held").withEffect(SocketEffect::hold()));
  server.script().setFallback(HttpResponse::text(200, "ok"));
  RecordingDelegate a, b, c;
  auto ra = client->getDelegate("/a", &a);
  auto rb = client->getDelegate("/b", &b);
  auto rc = client->getDelegate("/c", &c);
  ASSERT_TRUE(tbtest::waitUntil([&] { return server.server().heldCount() == 1; }));

  queue->cancelRequestLoadNext(rb.get(), false);  // unsent: just removed
  EXPECT_EQ(rb->delegate(), nullptr);
  EXPECT_EQ(queue->loadingCount(), 1);
  EXPECT_EQ(queue->count(), 2u);

  ra->cancel();  // loading, cancelled directly: the queue still moves on to /c
  EXPECT_EQ(a.cancels, 1);
  expectOneCompletion(c, rc);
  EXPECT_EQ(a.completions() + b.completions() + b.cancels, 0);
  EXPECT_EQ(queueDelegate.events, (std::vector<std::string>{"will /a", "begin", "did /a", "cancelled /b", "cancelled /a", "finish",
                                                            "will /c", "begin", "did /c", "finish", "loaded 200"}));
}

TEST_F(RequestQueueTest, CancelByDelegateAndCancelAll) {
  auto client = makeClient(base());
  auto queue = client->requestQueue();
  server.script().setFallback(HttpResponse::text(200, "held").withEffect(SocketEffect::hold()));
  RecordingDelegate mine, other;
  auto r1 = client->getDelegate("/1", &mine);
  auto r2 = client->getDelegate("/2", &other);
  auto r3 = client->getDelegate("/3", &mine);
  queue->cancelRequestsWithDelegate(&mine);
  EXPECT_EQ(mine.cancels, 2);
  EXPECT_EQ(queue->count(), 1u);
  EXPECT_TRUE(queue->containsRequest(r2.get()));
  queue->cancelAllRequests();
  EXPECT_EQ(queue->count(), 0u);
  EXPECT_EQ(queue->loadingCount(), 0);
  server.server().releaseHeld();
  tbtest::processEventsFor(80);
  EXPECT_EQ(mine.completions() + other.completions(), 0);
}

TEST_F(RequestQueueTest, BusyQueueDrivesTheActivityCounter) {
  struct Indicator : NetworkActivityIndicator {
    std::vector<bool> shown;
    void setVisible(bool v) override { shown.push_back(v); }
  } indicator;
  resetNetworkActivity();
  setNetworkActivityIndicator(&indicator);
  auto client = makeClient(base());
  client->requestQueue()->setShowsNetworkActivityIndicatorWhenBusy(true);
  server.script().setFallback(HttpResponse::text(200, "ok"));
  RecordingDelegate a, b;
  auto ra = client->getDelegate("/a", &a);
  auto rb = client->getDelegate("/b", &b);
  EXPECT_EQ(networkActivityCount(), 1);
  expectOneCompletion(a, ra);
  expectOneCompletion(b, rb);
  EXPECT_EQ(networkActivityCount(), 0);
  setNetworkActivityIndicator(nullptr);
  EXPECT_EQ(indicator.shown, (std::vector<bool>{false, true, false}));
}

// A screen cancels what it asked for when one of its calls fails; the failed request must still
// stop counting, or the activity indicator stays on for good.
TEST_F(RequestQueueTest, CancellingFromAFailureCallbackStillEndsTheActivity) {
  struct CancelsOnFailure : RecordingDelegate {
    std::vector<std::shared_ptr<RestRequest>> all;
    void requestDidFailLoadWithError(RestRequest* request, const foundation::Error& e) override {
      RecordingDelegate::requestDidFailLoadWithError(request, e);
      for (const auto& each : all) each->cancel();
    }
  } delegate;
  resetNetworkActivity();
  auto client = makeClient(base());
  auto queue = client->requestQueue();
  queue->setShowsNetworkActivityIndicatorWhenBusy(true);
  server.script().enqueue(HttpResponse::text(200, QByteArray(4096, 'x')).withEffect(SocketEffect::closeMidBody()));
  server.script().setFallback(HttpResponse::text(200, "ok").withEffect(SocketEffect::hold()));
  delegate.all.push_back(client->getDelegate("/fails", &delegate));
  delegate.all.push_back(client->getDelegate("/held", &delegate));
  ASSERT_TRUE(tbtest::waitUntil([&] { return delegate.failures == 1; }));
  tbtest::processEventsFor(50);
  EXPECT_EQ(queue->count(), 0u);
  EXPECT_EQ(queue->loadingCount(), 0);
  EXPECT_EQ(networkActivityCount(), 0);
  EXPECT_EQ(server.requestCount(), 2);  // the failed request was not sent a second time
  server.server().releaseHeld();
}

TEST(RequestQueueNames, NamedQueuesAreSharedWhileAlive) {
  auto queue = RestRequestQueue::requestQueueWithName("images");
  EXPECT_EQ(RestRequestQueue::requestQueueWithName("images"), queue);
  EXPECT_EQ(RestRequestQueue::newRequestQueueWithName("images"), nullptr);
  EXPECT_NE(RestRequestQueue::requestQueue(), queue);
  EXPECT_TRUE(queue->suspended());
  EXPECT_EQ(queue->concurrentRequestsLimit(), 5);
  EXPECT_EQ(queue->requestTimeout(), 300);
  queue.reset();
  auto fresh = RestRequestQueue::newRequestQueueWithName("images");
  EXPECT_NE(fresh, nullptr);
}

// The 0.3 s re-examination, on the manual clock; requests that fail at once (network known to
// be unreachable) open no socket.
class RequestQueueTimerTest : public tbtest::ManualClockFixture {};

TEST_F(RequestQueueTimerTest, WaitingRequestsAreReexaminedEveryThreeTenths) {
  auto source = std::make_shared<ManualReachabilitySource>();
  auto observer = RestReachabilityObserver::observerWithSource("0.0.0.0", source);
  source->setFlags(0);
  auto queue = RestRequestQueue::requestQueue();
  RecordingQueueDelegate queueDelegate;
  queue->setDelegate(&queueDelegate);
  RecordingDelegate delegate;
  auto request = std::make_shared<RestRequest>(*RestURL::URLWithBaseURLString("http://127.0.0.1:9", "/x"), &delegate);
  request->setReachabilityObserver(observer);
  queue->addRequest(request);
  EXPECT_TRUE(queue->isRetryScheduled());
  EXPECT_NEAR(clock.secondsToNext(), 0.3, 1e-6);
  clock.advanceBy(0.3);
  EXPECT_TRUE(queue->isRetryScheduled());  // still suspended: looks again later
  queue->setSuspended(true);
  EXPECT_FALSE(queue->isRetryScheduled());
  queue->start();
  EXPECT_EQ(delegate.failures, 1);
  EXPECT_EQ(delegate.error->code, kRestUnableToContactResource);
  EXPECT_EQ(queue->count(), 0u);
  EXPECT_FALSE(queue->isRetryScheduled());
  EXPECT_EQ(queueDelegate.events, (std::vector<std::string>{"unsuspended", "will /x", "begin", "finish", "failed 2", "did /x"}));
}

TEST(RequestQueueDeathTest, DecrementBelowZeroStops) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        auto queue = RestRequestQueue::requestQueue();
        auto request = std::make_shared<RestRequest>(QUrl("http://127.0.0.1:9/x"));
        queue->addRequest(request);
        queue->removeRequest(request.get());
      },
      "Attempted to decrement loading count below zero");
}

}  // namespace
