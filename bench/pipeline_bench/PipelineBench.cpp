// Throughput and added latency of the REST client (client + queue, 5 requests in flight) against
// raw QNetworkAccessManager with the same concurrency, both on the same loopback server core in
// the same run. Prints the throughput ratio last.
#include "core/HttpServer.h"
#include "rest/network/RestClient.h"
#include "rest/network/RestReachabilityObserver.h"
#include "rest/network/RestRequestCache.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>

namespace {

constexpr int kInFlight = 5;
const QByteArray kBody = "{\"devices\":[{\"serial\":\"A1\",\"status\":\"ON\"},{\"serial\":\"B2\",\"status\":\"OFF\"}]}";

simcore::FunctionDispatcher g_dispatcher([](const simcore::HttpRequest&) {
  return simcore::HttpResponse::json(200, kBody).withHeader("ETag", "\"v1\"");
});
simcore::HttpServer* g_server = nullptr;
std::map<std::string, double> g_secondsPerRequest;  // last measurement of each benchmark

void spin(const std::function<bool()>& done) {
  while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QString urlFor(int i) { return g_server->baseUrl().toString() + QStringLiteral("/cloud/v1/device/%1;jsessionid=S").arg(i % 64); }

// Sends `count` GETs through raw QNAM keeping `inFlight` outstanding; returns elapsed seconds.
double runRaw(int count, int inFlight) {
  static QNetworkAccessManager manager;
  int started = 0, finished = 0;
  std::function<void()> startOne = [&]() {
    QNetworkRequest request{QUrl(urlFor(started++))};
    request.setRawHeader("Accept", "application/json");
    request.setRawHeader("Content-Length", "0");
    QNetworkReply* reply = manager.get(request);
    QObject::connect(reply, &QNetworkReply::finished, reply, [&, reply]() {
      const QByteArray body = reply->readAll();
      if (body.size() != kBody.size()) std::fprintf(stderr, "raw: bad answer\n");
      reply->deleteLater();
      ++finished;
      if (started < count) startOne();
    });
  };
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < inFlight && started < count; ++i) startOne();
  spin([&] { return finished == count; });
  return timer.nsecsElapsed() / 1e9;
}

struct CountingDelegate : rest::RestRequestDelegate {
  int finished = 0;
  void requestDidLoadResponse(rest::RestRequest*, rest::RestResponse* response) override {
    if (response->body().size() != kBody.size() && !response->wasLoadedFromCache()) std::fprintf(stderr, "client: bad answer\n");
    ++finished;
  }
  void requestDidFailLoadWithError(rest::RestRequest*, const foundation::Error& error) override {
    std::fprintf(stderr, "client: %s\n", error.message.c_str());
    ++finished;
  }
};

std::shared_ptr<rest::RestClient> client(int cachePolicy) {
  static std::map<int, std::shared_ptr<rest::RestClient>> clients;
  auto& c = clients[cachePolicy];
  if (!c) {
    c = rest::RestClient::clientWithBaseURL(g_server->baseUrl().toString() + "/cloud/v1");
    c->setValueForHTTPHeaderField("application/json", "Accept");
    c->setCachePolicy(cachePolicy);
    spin([&] { return c->reachabilityObserver()->isReachabilityDetermined(); });
  }
  return c;
}

// The same load through client + queue: everything is handed to the queue at once, which keeps
// `inFlight` (5) outstanding.
double runClient(int count, int cachePolicy) {
  auto c = client(cachePolicy);
  CountingDelegate delegate;
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < count; ++i) c->getDelegate(QStringLiteral("/device/%1;jsessionid=S").arg(i % 64), &delegate);
  spin([&] { return delegate.finished == count; });
  return timer.nsecsElapsed() / 1e9;
}

void report(benchmark::State& state, const std::string& name, double seconds, int count) {
  state.SetIterationTime(seconds);
  g_secondsPerRequest[name] = seconds / count;
}

constexpr int kBatch = 400;

void BM_RawQNAM_5InFlight(benchmark::State& state) {
  for (auto _ : state) report(state, "raw5", runRaw(kBatch, kInFlight), kBatch);
  state.SetItemsProcessed(state.iterations() * kBatch);
}
void BM_RestClientQueue_5InFlight(benchmark::State& state) {
  for (auto _ : state) report(state, "client5", runClient(kBatch, rest::RestRequestCachePolicyDefault), kBatch);
  state.SetItemsProcessed(state.iterations() * kBatch);
}
void BM_RestClientQueue_5InFlight_NoCache(benchmark::State& state) {
  for (auto _ : state) report(state, "client5nocache", runClient(kBatch, rest::RestRequestCachePolicyNone), kBatch);
  state.SetItemsProcessed(state.iterations() * kBatch);
}
// One at a time: the difference per request is the latency the layer adds.
void BM_RawQNAM_Sequential(benchmark::State& state) {
  for (auto _ : state) report(state, "raw1", runRaw(100, 1), 100);
}
void BM_RestClient_Sequential(benchmark::State& state) {
  auto c = client(rest::RestRequestCachePolicyDefault);
  c->requestQueue()->setConcurrentRequestsLimit(1);
  for (auto _ : state) report(state, "client1", runClient(100, rest::RestRequestCachePolicyDefault), 100);
  c->requestQueue()->setConcurrentRequestsLimit(kInFlight);
}

BENCHMARK(BM_RawQNAM_5InFlight)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RestClientQueue_5InFlight)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RestClientQueue_5InFlight_NoCache)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RawQNAM_Sequential)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RestClient_Sequential)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir caches;
  rest::RestRequestCache::setCachesDirectory(caches.path());
  simcore::HttpServer server(&g_dispatcher);
  if (!server.listen()) {
    std::fprintf(stderr, "cannot listen: %s\n", qPrintable(server.errorString()));
    return 1;
  }
  g_server = &server;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  auto perSecond = [](const char* key) { return g_secondsPerRequest.count(key) ? 1.0 / g_secondsPerRequest[key] : 0.0; };
  std::printf("requests/s: raw QNAM %.0f, RestClient+queue %.0f (cache off: %.0f)\n", perSecond("raw5"), perSecond("client5"),
              perSecond("client5nocache"));
  if (g_secondsPerRequest.count("raw1") && g_secondsPerRequest.count("client1"))
    std::printf("added latency per request (sequential): %.1f us\n",
                (g_secondsPerRequest["client1"] - g_secondsPerRequest["raw1"]) * 1e6);
  if (perSecond("raw5") > 0)
    std::printf("ratio RestClient+queue / raw QNAM (5 in flight, requests/s): %.3f\n", perSecond("client5") / perSecond("raw5"));
  return 0;
}
