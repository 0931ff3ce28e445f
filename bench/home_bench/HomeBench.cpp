// How long the home dashboard takes from a tap on "MA MAISON" in the menu to the screen fully
// drawn with the service's answer, in the real app signed in to the simulated service (demo home,
// loopback HTTP, same process), in two cases:
//   first:  nothing stored yet: the screen shows its sections at once, then the answer fills them;
//   stored: the dashboard of an earlier visit is at hand: the screen is complete before the answer.
// For the stored case it also measures the tap to the first complete frame (before any answer).
// The peer is a bare QNetworkAccessManager GET of the same dashboard on the same server: the
// floor any screen waits for. "Drawn" is the whole window rendered (QWidget::grab). Animations
// take no time, as in the tour: a slide lasts what it lasts whatever the code does.
//
//   build/release/bench/home_bench/home_bench --benchmark_repetitions=5
#include "support/SignedInApp.h"

#include "backend/BESessionManager.h"
#include "app/RootViewController.h"
#include "controls/UISessionManager.h"
#include "screens/home/MyHomeController.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

struct World {
  QTemporaryDir folder;
  benchsupport::LocalService service;
  std::unique_ptr<TavroBoxAppAppDelegate> app;
  QNetworkAccessManager nam;
  QString session;  // of a second client, for the bare GET
};
World* g_world = nullptr;
std::map<std::string, std::vector<double>> g_ms;  // every measurement of each case

bool spinUntil(const std::function<bool()>& done) { return benchsupport::pumpUntil(done, 20000); }

bool setUp() {
  auto* w = g_world;
  if (!w->service.start()) return false;
  benchsupport::useBenchSettings(w->folder.path());
  w->app = std::make_unique<TavroBoxAppAppDelegate>();
  w->app->applicationDidFinishLaunchingWithOptions(w->service.configuration());
  w->app->window()->show();
  if (!benchsupport::signIn(*w->app, QStringLiteral("demo"), QStringLiteral("demo"))) {
    std::fprintf(stderr, "home_bench: the sign-in to the simulated service did not complete\n");
    return false;
  }

  // A second client for the bare GET.
  const QString base = w->service.server().baseUrl().toString() + w->service.service().basePath();
  const QByteArray digest = QCryptographicHash::hash("demo", QCryptographicHash::Sha1).toHex();
  QNetworkRequest request(QUrl(base + "/auth"));
  request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
  QNetworkReply* reply = w->nam.post(request, QJsonDocument(QJsonObject{{"login", "demo"}, {"password", QString::fromLatin1(digest)},
                                                                        {"ihm", "iphone"}}).toJson());
  spinUntil([&] { return reply->isFinished(); });
  w->session = QJsonDocument::fromJson(reply->readAll()).object().value("sessionId").toString();
  reply->deleteLater();
  return !w->session.isEmpty();
}

// Back to the menu, with nothing of the last visit still running.
void backToMenu() { benchsupport::backToMenu(*g_world->app); }

MyHomeController* tapMyHome() {
  UISessionManager::getInstance().setSelectedNavItem(QStringLiteral("MyHomeController"));
  g_world->app->rootViewController()->navItemClicked();
  return dynamic_cast<MyHomeController*>(g_world->app->navigationController()->topViewController());
}

void record(benchmark::State& state, const std::string& name, double seconds) {
  state.SetIterationTime(seconds);
  g_ms[name].push_back(seconds * 1000.0);
}

void BM_MenuTapToDashboardDrawn(benchmark::State& state, bool stored) {
  const std::string name = stored ? "tap to drawn, dashboard stored" : "tap to drawn, first visit";
  for (auto _ : state) {
    if (!stored) BESessionManager::getInstance().setDashboard(nullptr);
    QElapsedTimer timer;
    timer.start();
    MyHomeController* home = tapMyHome();
    if (!home) {
      state.SkipWithError("the menu opened no dashboard");
      return;
    }
    double firstFrame = 0;
    if (stored) {
      g_world->app->window()->grab();
      firstFrame = timer.nsecsElapsed() / 1e9;
    }
    if (!spinUntil([&] { return home->dashboardAnswers() > 0; })) {
      state.SkipWithError("no dashboard answer");
      return;
    }
    g_world->app->window()->grab();
    record(state, name, timer.nsecsElapsed() / 1e9);
    if (stored) g_ms["tap to first complete frame, dashboard stored"].push_back(firstFrame * 1000.0);
    state.PauseTiming();
    backToMenu();
    state.ResumeTiming();
  }
}

void BM_BareDashboardGet(benchmark::State& state) {
  const QUrl url(g_world->service.server().baseUrl().toString() + g_world->service.service().basePath() + "/dashboard;jsessionid=" +
                 g_world->session);
  for (auto _ : state) {
    QElapsedTimer timer;
    timer.start();
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = g_world->nam.get(request);
    spinUntil([&] { return reply->isFinished(); });
    const QByteArray body = reply->readAll();
    const auto document = QJsonDocument::fromJson(body);  // a screen reads what it gets
    reply->deleteLater();
    if (!document.isObject()) {
      state.SkipWithError("no dashboard");
      return;
    }
    record(state, "bare GET of the dashboard", timer.nsecsElapsed() / 1e9);
  }
}

using benchsupport::median;

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Caches and settings of this run stay in a folder of its own.
  QTemporaryDir home;
  qputenv("XDG_CACHE_HOME", home.filePath("cache").toUtf8());
  qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  World world;
  g_world = &world;
  if (!setUp()) return 1;

  benchmark::RegisterBenchmark("MenuTapToDashboardDrawn/first", BM_MenuTapToDashboardDrawn, false)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
  benchmark::RegisterBenchmark("MenuTapToDashboardDrawn/stored", BM_MenuTapToDashboardDrawn, true)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
  benchmark::RegisterBenchmark("BareDashboardGet", BM_BareDashboardGet)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  const double floor = median(g_ms["bare GET of the dashboard"]);
  std::printf("\nmedians over every iteration (ms):\n");
  for (const auto& [name, values] : g_ms) std::printf("  %-48s %8.2f  (%zu runs)\n", name.c_str(), median(values), values.size());
  if (floor > 0) {
    std::printf("ratios to the bare GET of the dashboard:\n");
    for (const char* name : {"tap to drawn, first visit", "tap to drawn, dashboard stored", "tap to first complete frame, dashboard stored"})
      std::printf("  %-48s %8.2fx\n", name, median(g_ms[name]) / floor);
  }
  world.app.reset();
  return 0;
}
