#pragma once
// What the network tests share: a delegate that records what it hears, and a fixture that gives
// every test its own caches folder, hand-driven reachability and no shared client left over.
#include "rest/network/RestClient.h"
#include "rest/network/RestReachabilityObserver.h"
#include "rest/network/RestRequest.h"
#include "rest/network/RestRequestCache.h"
#include "rest/network/TlsTrust.h"
#include "rest/support/RestError.h"
#include "SessionSecrets.h"
#include "support/TempDir.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tbtest {

struct RecordingDelegate : rest::RestRequestDelegate {
  std::vector<std::string> events;
  int starts = 0;
  int loads = 0;
  int failures = 0;
  int cancels = 0;
  int statusCode = 0;
  QByteArray body;
  bool fromCache = false;
  std::optional<foundation::Error> error;
  qint64 bytesReceived = 0;

  int completions() const { return loads + failures; }

  void requestDidStartLoad(rest::RestRequest*) override {
    ++starts;
    events.push_back("start");
  }
  void requestDidLoadResponse(rest::RestRequest*, rest::RestResponse* response) override {
    ++loads;
    statusCode = response->statusCode();
    body = response->body();
    fromCache = response->wasLoadedFromCache();
    events.push_back("load " + std::to_string(statusCode));
  }
  void requestDidFailLoadWithError(rest::RestRequest*, const foundation::Error& e) override {
    ++failures;
    error = e;
    events.push_back("fail " + std::to_string(e.code));
  }
  void requestDidCancelLoad(rest::RestRequest*) override {
    ++cancels;
    events.push_back("cancel");
  }
  void requestDidReceivedDataTotalBytesReceivedTotalBytesExectedToReceive(rest::RestRequest*, qint64, qint64 total,
                                                                         qint64) override {
    bytesReceived = total;
  }
};

class NetworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rest::RestRequestCache::setCachesDirectory(m_caches.path());
    rest::RestClient::setSharedClient(nullptr);
    rest::setSecretFinder(sessionSecrets);
    rest::RestReachabilityObserver::setSourceFactory([this](const QString&, const QString&) {
      auto source = std::make_shared<rest::ManualReachabilitySource>();
      m_sources.push_back(source);
      return source;
    });
  }

  void TearDown() override {
    rest::RestReachabilityObserver::setSourceFactory({});
    rest::RestRequestCache::setCachesDirectory(QString());
    rest::RestClient::setSharedClient(nullptr);
    rest::setTlsTrustSettings({});
    rest::setSecretFinder({});
  }

  // Delivers a flag word through every source made so far.
  void setReachabilityFlags(quint32 flags) {
    for (auto& source : m_sources) source->setFlags(flags);
  }
  void setReachable(bool reachable) {
    setReachabilityFlags(reachable ? rest::kRestReachabilityFlagReachable | rest::kRestReachabilityFlagIsDirect : 0);
  }

  // A client on `baseURL` whose reachability is known (reachable) unless told otherwise, with a
  // short transfer timeout so that stalls end quickly.
  std::shared_ptr<rest::RestClient> makeClient(const QString& baseURL, bool determineReachability = true) {
    auto client = rest::RestClient::clientWithBaseURL(baseURL);
    client->setTimeoutInterval(5);
    if (determineReachability) setReachable(true);
    return client;
  }

  QString cachesPath() const { return m_caches.path(); }

  // Waits for the delegate's single completion, then checks that nothing else arrives and that
  // nothing is left in flight.
  void expectOneCompletion(const RecordingDelegate& delegate, const std::shared_ptr<rest::RestRequest>& request,
                           int settleMs = 60) {
    ASSERT_TRUE(waitUntil([&] { return delegate.completions() >= 1; }, 10000)) << "no completion";
    processEventsFor(settleMs);
    EXPECT_EQ(delegate.completions(), 1);
    EXPECT_FALSE(request->isLoading());
    if (auto queue = request->queue()) {
      EXPECT_FALSE(queue->containsRequest(request.get()));
      EXPECT_LE(queue->loadingCount(), static_cast<int>(queue->count()));
    }
  }

 private:
  TempDir m_caches;
  std::vector<std::shared_ptr<rest::ManualReachabilitySource>> m_sources;
};

}  // namespace tbtest
