#include "ShellTestSupport.h"

#include "app/ScreenCatalog.h"
#include "controls/OnOffSwitch.h"
#include "controls/UISessionManager.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BEServiceCamera.h"
#include "backend/BEServiceConsumption.h"
#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceDevice.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceHistory.h"
#include "backend/BEServiceLogin.h"
#include "backend/BEServiceMode.h"
#include "backend/BEServiceScenario.h"
#include "backend/BEServiceWeather.h"
#include "backend/BESessionManager.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/TlsTrust.h"
#include "support/Wait.h"
#include "ui/Animation.h"
#include "ui/PopupWindow.h"
#include "ui/Window.h"

#include "backend/BackendReset.h"

#include <QCoreApplication>

namespace shelltest {

void resetSingletons() {
  backend::resetAllSingletons();
  UISessionManager::resetInstance();
}

void setUpAppEnvironment(foundation::ManualClock& clock, const tbtest::TempDir& folder) {
  ui::Animation::setDurationScale(0);
  resetSingletons();
  rest::setTlsTrustSettings({});
  foundation::setScheduler(&clock);
  foundation::Preferences::setStandard(std::make_unique<foundation::Preferences>(folder.file(QStringLiteral("tavrobox.prefs"))));
  foundation::SecretStore::setStandard(std::make_unique<foundation::PreferencesSecretStore>(foundation::Preferences::standard()));
}

void tearDownAppEnvironment() {
  foundation::SecretStore::setStandard(nullptr);
  foundation::Preferences::setStandard(nullptr);
  foundation::setScheduler(nullptr);
  ui::Animation::setDurationScale(0);
}

QByteArray signInAnswer(const QByteArray& sessionId) {
  return R"({"sessionId": ")" + sessionId +
         R"(", "user": {"id": 1042, "login": "demo"}, "gateway": {"id": "GW0042A7", "serial": "TB-1"}})";
}

foundation::ManualClock& processClock() {
  static auto* clock = new foundation::ManualClock();
  return *clock;
}

NotificationLog::NotificationLog(const QStringList& names) {
  for (const QString& name : names)
    m_observations.add(name.toStdString(), [this](const foundation::Notification& n) {
      m_names << QString::fromStdString(n.name);
    });
}

void ShellTest::SetUp() {
  setUpAppEnvironment(clock, folder);
  // The REST layer posts one of these after the delegate has heard the outcome.
  for (const char* name : {rest::RestRequestDidLoadResponseNotification, rest::RestRequestDidFailWithErrorNotification})
    m_requestsDone.add(name, [this](const foundation::Notification&) { ++m_finished; });
}

void ShellTest::TearDown() {
  quit();
  tearDownAppEnvironment();
}

void ShellTest::launch() {
  foundation::Configuration configuration;
  configuration.restServer = server.url().toString();
  while (configuration.restServer.endsWith('/')) configuration.restServer.chop(1);
  configuration.restType = QStringLiteral("tavrobox");
  configuration.restVersion = QStringLiteral("v1");
  configuration.watchInterval = watchInterval;
  app = std::make_unique<TavroBoxAppAppDelegate>();
  ASSERT_TRUE(app->applicationDidFinishLaunchingWithOptions(configuration));
}

void ShellTest::quit() {
  app.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  resetSingletons();
}

LoginViewController* ShellTest::loginScreen() const {
  return app ? qobject_cast<LoginViewController*>(app->popupController()) : nullptr;
}

bool ShellTest::waitForFinished(int count) {
  return tbtest::waitUntil([&] { return m_finished >= count; });
}

bool ShellTest::signInWith(const QString& user, const QString& password, bool remember, simcore::HttpResponse answer) {
  LoginViewController* login = loginScreen();
  if (!login) {
    ADD_FAILURE() << "no login screen on show";
    return false;
  }
  NotificationLog outcome({kSuccessLoginPostLogin, kErrorLoginPostLogin});
  server.script().enqueue(std::move(answer));
  login->postUserName()->setText(user);
  login->postPassword()->setText(password);
  login->rememberState()->setOn(remember);
  login->textFieldShouldReturn(login->postPassword());
  if (!tbtest::waitUntil([&] { return !outcome.names().isEmpty(); })) {
    ADD_FAILURE() << "the sign-in got no answer";
    return false;
  }
  return outcome.names() == QStringList{kSuccessLoginPostLogin};
}

void ShellTest::signInAndDismissPopup() {
  ASSERT_TRUE(signInWith(QStringLiteral("demo"), QStringLiteral("demo"), false, simcore::HttpResponse::json(200, signInAnswer())));
  clock.advanceBy(TavroBoxAppAppDelegate::kLoginScreenDelaySeconds);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(app->releasedPopup());
  ASSERT_EQ(app->popupWindow(), nullptr);
}

}  // namespace shelltest
