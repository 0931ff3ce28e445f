// Trust on first use, end to end: the app signs in through its login screen to the simulated
// service served over TLS with a certificate made for the test and named nowhere. Refusing it
// sends nothing; trusting it signs in and is remembered for the next launch; the same host and
// port showing another certificate later is refused, without a question.
#include "ShellTestSupport.h"

#include "controls/RowButton.h"
#include "screens/settings/MySettingsController.h"
#include "simulator/SimHarness.h"

#include "app/LiveState.h"
#include "app/ServerTrust.h"
#include "backend/ServiceReachability.h"
#include "backend/CertificatePins.h"
#include "backend/BENotifications.h"
#include "controls/OnOffSwitch.h"
#include "foundation/Preferences.h"
#include "foundation/Strings.h"
#include "support/Wait.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Window.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QTest>

#include <optional>

namespace {

class TrustOnFirstUseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shelltest::setUpAppEnvironment(clock, folder);
    sim = std::make_unique<simtest::SimHarness>();
    serve(tbtest::testCertificate());
  }
  void TearDown() override {
    quit();
    sim.reset();
    shelltest::tearDownAppEnvironment();
  }

  // The service over TLS with `certificate`, on the same port every time.
  void serve(const tbtest::TestCertificate& certificate) {
    ASSERT_TRUE(sim->server().listen(QHostAddress::LocalHost, port, &certificate.identity)) << sim->server().errorString().toStdString();
    port = sim->server().port();
    sim->server().clearRecordedRequests();
  }
  void launch() {
    foundation::Configuration configuration;
    configuration.restServer = QStringLiteral("https://127.0.0.1:%1").arg(port);
    configuration.restType = QStringLiteral("tavrobox");
    configuration.restVersion = QStringLiteral("v1");
    configuration.watchInterval = 0;  // what is sent is counted: no reads of the event watcher
    app = std::make_unique<TavroBoxAppAppDelegate>();
    ASSERT_TRUE(app->applicationDidFinishLaunchingWithOptions(configuration));
  }
  void quit() {
    app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shelltest::resetSingletons();
  }
  LoginViewController* login() const { return qobject_cast<LoginViewController*>(app->popupController()); }

  // Signs in as demo through the login screen; the outcome is read with signedIn().
  void signIn() {
    outcome.reset();
    observations.clear();
    observations.add(kSuccessLoginPostLogin, [this](const foundation::Notification&) { outcome = true; });
    observations.add(kErrorLoginPostLogin, [this](const foundation::Notification&) { outcome = false; });
    login()->postUserName()->setText(QStringLiteral("demo"));
    login()->postPassword()->setText(QStringLiteral("demo"));
    login()->rememberState()->setOn(false);
    login()->textFieldShouldReturn(login()->postPassword());
  }
  std::optional<bool> signedIn() {
    tbtest::waitUntil([&] { return outcome.has_value(); });
    return outcome;
  }
  ui::AlertView* waitForAlert() {
    tbtest::waitUntil([&] { return !app->window()->alerts().isEmpty(); });
    return app->window()->alerts().isEmpty() ? nullptr : app->window()->alerts().last();
  }
  // A press on the alert's button, as a finger makes it.
  static void press(ui::AlertView* alert, int index) {
    ui::Button* button = alert->buttonAtIndex(index);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  }
  // The login screen's status line (it follows the sign-in's own failure).
  bool statusBecomes(const char* key) {
    return tbtest::waitUntil([&] { return login()->errorLabel()->text() == foundation::localized(key); });
  }
  QString pinned() const {
    return foundation::Preferences::standard().string(QString::fromLatin1(backend::kPinnedCertificatesPref));
  }
  static QString fingerprint(const tbtest::TestCertificate& certificate) {
    return app::ServerTrust::fingerprintText(certificate.identity.certificate);
  }

  tbtest::TempDir folder;
  foundation::ManualClock& clock = shelltest::processClock();
  std::unique_ptr<simtest::SimHarness> sim;
  std::unique_ptr<TavroBoxAppAppDelegate> app;
  quint16 port = 0;
  std::optional<bool> outcome;
  foundation::Observations observations;
};

TEST_F(TrustOnFirstUseTest, RefusedSendsNothingTrustedSignsInAndIsRememberedAnotherCertificateIsRefused) {
  launch();
  const QString server = QStringLiteral("127.0.0.1:%1").arg(port);

  // First attempt: the question, with what identifies the certificate; the user refuses.
  signIn();
  ui::AlertView* question = waitForAlert();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question, app->serverTrust()->question());
  EXPECT_EQ(question->title(), foundation::localized("kTradTrustTitle"));
  EXPECT_EQ(question->numberOfButtons(), 2);
  for (const QString& part : {server, fingerprint(tbtest::testCertificate()), QStringLiteral("localhost")})
    EXPECT_TRUE(question->message().contains(part)) << question->message().toStdString();
  EXPECT_EQ(signedIn(), false);
  EXPECT_TRUE(statusBecomes("kTradTrustLoginUnknown"));
  press(question, app::ServerTrust::kRefuseButton);
  EXPECT_TRUE(statusBecomes("kTradTrustLoginRefused"));
  EXPECT_GE(sim->server().connectionsAccepted(), 1) << "the app did reach the service";
  EXPECT_EQ(sim->server().recordedCount(), 0) << "nothing was written before the certificate was accepted";
  EXPECT_EQ(pinned(), QString());
  EXPECT_TRUE(app->window()->alerts().isEmpty());

  // Second attempt: trusted, and the sign-in goes again by itself.
  signIn();
  question = waitForAlert();
  ASSERT_NE(question, nullptr);
  ASSERT_EQ(signedIn(), false);
  outcome.reset();
  press(question, app::ServerTrust::kTrustButton);
  ASSERT_EQ(signedIn(), true);
  ASSERT_EQ(sim->server().recordedCount(), 1);
  EXPECT_EQ(sim->server().recordedRequests().first().path, QByteArray("/tavrobox/v1/auth"));
  const QByteArray digest = tbtest::testCertificate().identity.certificate.digest(QCryptographicHash::Sha256);
  EXPECT_EQ(pinned(), server + QLatin1Char('=') + QString::fromLatin1(digest.toHex()));

  // The next launch knows the server: no question.
  quit();
  launch();
  signIn();
  EXPECT_EQ(signedIn(), true);
  EXPECT_TRUE(app->window()->alerts().isEmpty());

  // The same host and port with another certificate: refused with a warning that only closes.
  quit();
  serve(tbtest::otherTestCertificate());
  launch();
  signIn();
  ui::AlertView* warning = waitForAlert();
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(warning, app->serverTrust()->warning());
  EXPECT_EQ(app->serverTrust()->question(), nullptr);
  EXPECT_EQ(warning->numberOfButtons(), 1);
  EXPECT_EQ(warning->title(), foundation::localized("kTradTrustChangedTitle"));
  EXPECT_TRUE(warning->message().contains(fingerprint(tbtest::otherTestCertificate()))) << warning->message().toStdString();
  EXPECT_EQ(signedIn(), false);
  EXPECT_TRUE(statusBecomes("kTradTrustLoginRefused"));
  press(warning, 0);
  EXPECT_TRUE(app->window()->alerts().isEmpty());
  EXPECT_EQ(sim->server().recordedCount(), 0);
  EXPECT_EQ(pinned(), server + QLatin1Char('=') + QString::fromLatin1(digest.toHex())) << "the pin stays";

  // A genuine renewal: the user forgets the server's certificate in the settings, and the new one
  // is put to him as on first use.
  MySettingsController settings;
  settings.view();
  ASSERT_EQ(settings.certificateRows().size(), 1);
  EXPECT_EQ(settings.certificateRows().first()->title(), server);
  settings.askToForgetCertificate(0);
  ui::AlertView* forget = waitForAlert();
  ASSERT_NE(forget, nullptr);
  press(forget, 1);
  EXPECT_EQ(pinned(), QString());
  EXPECT_FALSE(settings.certificateRows().first()->isEnabled());
  signIn();
  question = waitForAlert();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question, app->serverTrust()->question()) << "asked, not refused as unexpected";
  ASSERT_EQ(signedIn(), false);
  outcome.reset();
  press(question, app::ServerTrust::kTrustButton);
  EXPECT_EQ(signedIn(), true);
}

// The service out of reach comes back with a certificate nothing vouches for: the probe meets it,
// the user refuses it once, and from then on nothing asks that server again (no question every
// round); the banner says why.
TEST_F(TrustOnFirstUseTest, ARefusedCertificateIsAskedOnceAndStopsTheProbe) {
  launch();
  auto& reachability = backend::ServiceReachability::getInstance();
  reachability.markUnreachable();
  clock.advanceBy(backend::ServiceReachability::kDefaultProbeInterval);
  ui::AlertView* question = waitForAlert();
  ASSERT_NE(question, nullptr);
  ASSERT_EQ(question, app->serverTrust()->question());
  press(question, app::ServerTrust::kRefuseButton);

  const int connections = sim->server().connectionsAccepted();
  for (int round = 0; round < 3; ++round) {
    clock.advanceBy(backend::ServiceReachability::kDefaultProbeInterval);
    tbtest::processEventsFor(100);
  }
  EXPECT_TRUE(app->window()->alerts().isEmpty()) << "asked again";
  EXPECT_EQ(sim->server().connectionsAccepted(), connections) << "the refused server was probed again";
  EXPECT_TRUE(reachability.certificateRefused());
  ui::Label* banner = app->liveState()->banner();
  EXPECT_FALSE(banner->isHidden());
  EXPECT_EQ(banner->text(), foundation::localized("kTradOfflineBannerCertificate"));
}

}  // namespace
