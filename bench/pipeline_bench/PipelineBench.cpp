// Throughput and added latency of the REST client (client + queue, 5 requests in flight) against
// raw QNetworkAccessManager with the same concurrency, both on the same loopback server core in
// the same run. After the Google Benchmark runs come paired rounds (one warm-up round, then
// --paired-rounds=N, default 15, peers in alternating order) that also give each peer's CPU time
// on the main thread and the connections it opened. Prints the throughput ratio last.
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

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

#include <time.h>

namespace {

constexpr int kInFlight = 5;
const QByteArray kBody = "{\"devices\":[{\"serial\":\"A1\",\"status\":\"ON\"},{\"serial\":\"B2\",\"status\":\"OFF\"}]}";

simcore::FunctionDispatcher g_dispatcher([](const simcore::HttpRequest&) {
  return simcore::HttpResponse::json(200, kBody).withHeader("ETag", "\"v1\"");
});
simcore::HttpServer* g_server = nullptr;
std::map<std::string, double> g_secondsPerRequest;  // last measurement of each benchmark

// CPU time of the calling (main) thread: the work each peer costs the thread that also runs the
// application, whatever the load of the shared machine does to wall time.
double threadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + t.tv_nsec / 1e9;
}

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
    // The same request on the wire as the client's: an empty upload makes QNAM send
    // "Content-Length: 0" (the header set by hand costs a reconnection per request).
    QNetworkReply* reply = manager.sendCustomRequest(request, "GET", QByteArray(""));
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
  // --paired-rounds=N (default 15; 0 skips them, e.g. to profile a single benchmark).
  int rounds = 15;
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--paired-rounds=", 16) == 0) rounds = std::max(0, std::atoi(argv[i] + 16));
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
  if (rounds == 0) return 0;

  // The ratio itself comes from paired rounds: each round measures both peers back to back, so
  // that a change of machine load between the benchmarks above does not land in the ratio. One
  // warm-up round first (connections opened, cache entries written, lazy state built).
  std::vector<double> ratios, nocacheRatios, addedLatency, cpuRaw, cpuCache, cpuNoCache;
  auto sequentialClient = client(rest::RestRequestCachePolicyDefault);
  // Connections each peer opened: a peer that loses its keep-alive connections pays for it.
  int connectionsRaw = 0, connectionsCache = 0, connectionsNoCache = 0;
  auto timed = [&server](auto run, std::vector<double>* cpu, int count, int* connections) {
    const int connectionsBefore = server.connectionsAccepted();
    const double cpuStart = threadCpuSeconds();
    const double seconds = run();
    if (cpu) cpu->push_back((threadCpuSeconds() - cpuStart) / count * 1e6);
    *connections += server.connectionsAccepted() - connectionsBefore;
    return seconds;
  };
  for (int round = -1; round < rounds; ++round) {
    const bool warmUp = round < 0;
    double raw = 0, withCache = 0, noCache = 0;
    auto measureRaw = [&] {
      raw = timed([] { return runRaw(kBatch, kInFlight); }, warmUp ? nullptr : &cpuRaw, kBatch, &connectionsRaw);
    };
    auto measureClient = [&] {
      withCache = timed([] { return runClient(kBatch, rest::RestRequestCachePolicyDefault); },
                        warmUp ? nullptr : &cpuCache, kBatch, &connectionsCache);
      noCache = timed([] { return runClient(kBatch, rest::RestRequestCachePolicyNone); },
                      warmUp ? nullptr : &cpuNoCache, kBatch, &connectionsNoCache);
    };
    // Every other round the peers swap places, so that neither always runs first.
    if (round % 2 == 0) {
      measureRaw();
      measureClient();
    } else {
      measureClient();
      measureRaw();
    }
    const double raw1 = runRaw(50, 1);
    sequentialClient->requestQueue()->setConcurrentRequestsLimit(1);
    const double client1 = runClient(50, rest::RestRequestCachePolicyDefault);
    sequentialClient->requestQueue()->setConcurrentRequestsLimit(kInFlight);
    if (warmUp) continue;
    ratios.push_back(raw / withCache);
    nocacheRatios.push_back(raw / noCache);
    addedLatency.push_back((client1 - raw1) / 50 * 1e6);
  }
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  auto spread = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return std::make_pair(v.front(), v.back());
  };
  std::printf("paired rounds: %d x %d requests, 5 in flight; server connections accepted: %d\n", rounds, kBatch,
              server.connectionsAccepted());
  std::printf("connections opened in the 5-in-flight runs: raw QNAM %d, client cache on %d, cache off %d\n", connectionsRaw,
              connectionsCache, connectionsNoCache);
  std::printf("main-thread CPU per request (median): raw QNAM %.1f us, client cache on %.1f us, cache off %.1f us\n",
              median(cpuRaw), median(cpuCache), median(cpuNoCache));
  const auto [lowOff, highOff] = spread(nocacheRatios);
  const auto [low, high] = spread(ratios);
  std::printf("ratio spread over the rounds: cache on %.3f..%.3f, cache off %.3f..%.3f\n", low, high, lowOff, highOff);
  std::printf("median ratio with the response cache off: %.3f\n", median(nocacheRatios));
  std::printf("median added latency per request (sequential, cache on): %.1f us\n", median(addedLatency));
  std::printf("ratio RestClient+queue / raw QNAM (requests/s, 5 in flight, median of paired rounds): %.3f\n", median(ratios));
  return 0;
}
