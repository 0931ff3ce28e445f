#include "ScreenHarness.h"

#include "app/LoginViewController.h"
#include "app/RootViewController.h"
#include "backend/BENotifications.h"
#include "backend/BackendReset.h"
#include "controls/AppNotifications.h"
#include "controls/OnOffSwitch.h"
#include "controls/UISessionManager.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"
#include "rest/network/NetworkActivity.h"
#include "rest/network/RestRequestCache.h"
#include "rest/network/TlsTrust.h"
#include "support/Wait.h"
#include "ui/AlertView.h"
#include "ui/Animation.h"
#include "ui/NavigationController.h"
#include "ui/ProgressHUD.h"
#include "ui/Window.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>

namespace screentest {

namespace {
// The home's time plus the real time gone by: live windows slide while the home's clock stands.
class MediaClock final : public simhome::Clock {
 public:
  explicit MediaClock(const simhome::Clock& home) : m_home(home) { m_elapsed.start(); }
  qint64 nowMs() const override { return m_home.nowMs() + m_elapsed.elapsed(); }

 private:
  const simhome::Clock& m_home;
  QElapsedTimer m_elapsed;
};
}  // namespace

void ScreenTest::SetUp() {
  shelltest::setUpAppEnvironment(clock, folder);
  // Each test's answers stay its own, even on a port an earlier test of this program used.
  rest::RestRequestCache::setCachesDirectory(folder.file(QStringLiteral("caches")));
  sim = std::make_unique<simtest::SimHarness>();

  m_configuration.restServer = sim->server().baseUrl().toString();
  while (m_configuration.restServer.endsWith('/')) m_configuration.restServer.chop(1);
  m_configuration.restType = QStringLiteral("tavrobox");
  m_configuration.restVersion = QStringLiteral("v1");
  m_configuration.watchInterval = watchInterval;
  if (serveMedia) startMedia(m_configuration);
  launchAndSignIn();
  if (HasFatalFailure()) return;
  ASSERT_FALSE(sim->signIn(QStringLiteral("anne"), QStringLiteral("jardin2013")).isEmpty());
}

void ScreenTest::launchAndSignIn() {
  app = std::make_unique<TavroBoxAppAppDelegate>();
  ASSERT_TRUE(app->applicationDidFinishLaunchingWithOptions(m_configuration));
  signInThroughLoginScreen();
}

void ScreenTest::signInThroughLoginScreen() {
  // Signs in through the login screen, as a user does.
  auto* login = qobject_cast<LoginViewController*>(app->popupController());
  ASSERT_NE(login, nullptr);
  bool signedIn = false, refused = false;
  foundation::Observations outcome;
  outcome.add(kSuccessLoginPostLogin, [&](const foundation::Notification&) { signedIn = true; });
  outcome.add(kErrorLoginPostLogin, [&](const foundation::Notification&) { refused = true; });
  login->postUserName()->setText(userName());
  login->postPassword()->setText(password());
  login->rememberState()->setOn(false);
  login->textFieldShouldReturn(login->postPassword());
  ASSERT_TRUE(tbtest::waitUntil([&] { return signedIn || refused; }));
  ASSERT_TRUE(signedIn) << "the simulated service refused " << userName().toStdString();
  clock.advanceBy(TavroBoxAppAppDelegate::kLoginScreenDelaySeconds);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(app->popupWindow(), nullptr);
}

void ScreenTest::quitApp() {
  // Answers still being mapped when the app goes would be dropped half-way: let them land first.
  if (app) waitIdle();
  if (app) app->navigationController()->popToRootViewControllerAnimated(false);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // What the screens sent on their way out (a video session closed, say) is answered while the
  // app is still there, rather than into the next test.
  if (app) waitIdle(5000);
  app.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  shelltest::resetSingletons();
}

void ScreenTest::relaunch() {
  quitApp();
  launchAndSignIn();
}

void ScreenTest::TearDown() {
  quitApp();
  stopMedia();
  sim.reset();
  rest::RestRequestCache::setCachesDirectory(QString());
  shelltest::tearDownAppEnvironment();
}

ui::Screen* ScreenTest::openScreen(const char* screenName, Until until) {
  UISessionManager::getInstance().setSelectedNavItem(QString::fromLatin1(screenName));
  app->rootViewController()->navItemClicked();
  if (until == Until::Idle) {
    EXPECT_TRUE(waitIdle()) << screenName << " was still loading";
  } else {
    EXPECT_TRUE(waitNetworkIdle()) << screenName << " was still loading";
  }
  ui::NavigationController* navigation = app->navigationController();
  ui::Screen* top = navigation->topViewController();
  return top == navigation->viewControllers().value(0) ? nullptr : top;
}

bool ScreenTest::waitIdle(int timeoutMs) {
  return tbtest::waitUntil(
      [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::ProgressHUD* hud = app->progressHUD();
        return rest::networkActivityCount() == 0 && !(hud && hud->isShowing()) &&
               !app->navigationController()->isTransitioning();
      },
      timeoutMs);
}

bool ScreenTest::waitNetworkIdle(int timeoutMs) {
  return tbtest::waitUntil(
      [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return rest::networkActivityCount() == 0 && !app->navigationController()->isTransitioning();
      },
      timeoutMs);
}

void ScreenTest::advance(double seconds) { clock.advanceBy(seconds); }

void ScreenTest::startMedia(foundation::Configuration& configuration) {
  const QString folder = QDir::temp().filePath(QStringLiteral("tavrobox-cloudsim-media"));
  m_media = std::make_unique<simhome::MediaLibrary>(folder, QString(), [](const QString& line) {
    std::fprintf(stderr, "media: %s\n", qPrintable(line));
  });
  sim->service().setMediaLibrary(m_media.get());
  for (auto& [key, state] : sim->service().homes()) {
    for (const simhome::Device* camera : state.home.cameras()) m_media->prepareCamera(camera->serial, camera->name);
    for (const simhome::Recording& r : state.home.recordings)
      for (const simhome::RecordingFile& f : r.files) m_media->prepareRecording(f.name, r.sensorName, f.durationS);
  }
  m_mediaClock = std::make_unique<MediaClock>(sim->clock);
  m_mediaService = std::make_unique<simhome::MediaService>(&sim->service(), m_media.get(), m_mediaClock.get());
  m_mediaServer = std::make_unique<simcore::HttpServer>(m_mediaService.get());
  ASSERT_TRUE(m_mediaServer->listen()) << "the media server cannot listen: " << m_mediaServer->errorString().toStdString();
  sim->service().setMediaAddress(QStringLiteral("127.0.0.1"), m_mediaServer->port());
  configuration.playbackPort = m_mediaServer->port();
  // Made once per media folder; the first run of a machine waits for ffmpeg here.
  if (m_media->available()) {
    EXPECT_TRUE(m_media->waitIdle(180000)) << "ffmpeg did not finish the camera video";
  }
}

void ScreenTest::stopMedia() {
  if (m_mediaServer) m_mediaServer->close();
  m_mediaServer.reset();
  m_mediaService.reset();
  if (sim) sim->service().setMediaLibrary(nullptr);
  m_media.reset();
  m_mediaClock.reset();
}

quint16 ScreenTest::mediaPort() const { return m_mediaServer ? m_mediaServer->port() : 0; }

int ScreenTest::alertCount() const { return int(app->window()->alerts().size()); }

QString ScreenTest::topAlertMessage() const {
  const auto alerts = app->window()->alerts();
  return alerts.isEmpty() ? QString() : alerts.last()->message();
}

void ScreenTest::dismissAlert() {
  const auto alerts = app->window()->alerts();
  if (!alerts.isEmpty()) alerts.last()->clickButtonAtIndex(0);
}

QJsonObject ScreenTest::simRead(const QString& path) { return sim->call("GET", path).json; }

QJsonObject ScreenTest::device(const QString& serial) {
  const QJsonArray devices = simRead(QStringLiteral("/device")).value(QStringLiteral("devices")).toArray();
  for (const auto& d : devices)
    if (d.toObject().value(QStringLiteral("serial")).toString() == serial) return d.toObject();
  return {};
}

void ScreenTest::fail(const QString& pattern, const QString& method, int status, int count) {
  const QJsonObject rule{{"path", pattern}, {"method", method}, {"status", status}, {"count", count}};
  const auto reply = sim->control("POST", QStringLiteral("/_sim/fail"), QJsonDocument(rule).toJson(QJsonDocument::Compact));
  EXPECT_EQ(reply.status / 100, 2) << "fault rule refused: " << reply.body.toStdString();
}

void ScreenTest::gatewayOffline(bool offline) {
  const QJsonObject body{{"offline", offline}};
  const auto reply = sim->control("POST", QStringLiteral("/_sim/gateway"), QJsonDocument(body).toJson(QJsonDocument::Compact));
  EXPECT_EQ(reply.status / 100, 2) << "gateway switch refused: " << reply.body.toStdString();
}

}  // namespace screentest
