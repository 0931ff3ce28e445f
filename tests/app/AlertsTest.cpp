// The global alerts: one per failure class of the status-code dispatch, and none of them but the
// time-out changes anything; the start-up the alerts rely on.
#include "backend/BEStatusCodeManager.h"
#include "ShellTestSupport.h"

#include "controls/OnOffSwitch.h"
#include "app/StatusBarActivity.h"
#include "app/RootViewController.h"

#include "backend/BEServiceDevice.h"
#include "backend/BESessionManager.h"
#include "foundation/Preferences.h"
#include "foundation/Strings.h"
#include "rest/network/NetworkActivity.h"
#include "ui/ActivityIndicatorView.h"
#include "ui/NavigationController.h"
#include "ui/StatusBar.h"
#include "ui/Window.h"

using namespace shelltest;
using simcore::HttpResponse;

namespace {

class AlertsTest : public ShellTest {};

TEST_F(AlertsTest, EachFailureClassShowsItsAlertAndOnlyTheTimeOutLeadsToALogin) {
  struct Case {
    const char* what;
    HttpResponse answer;
    const char* messageKey;  // nullptr: no alert
  };
  // Gateway codes reach the dispatch only with an answer that is not JSON.
  const Case cases[] = {
      {"400", HttpResponse::json(400, "{}"), "kTradAlertConnection4xx"},
      {"401 is a connection error, not a time-out", HttpResponse::json(401, "{}"), "kTradAlertConnection4xx"},
      {"402", HttpResponse::json(402, "{}"), "kTradAlertConnection4xx"},
      {"404", HttpResponse::text(404, "none"), "kTradAlertConnection4xx"},
      {"405", HttpResponse::text(405, "no"), "kTradAlertConnection4xx"},
      {"415", HttpResponse::text(415, "no"), "kTradAlertConnection4xx"},
      {"499", HttpResponse::text(499, "no"), "kTradAlertConnection4xx"},
      {"500", HttpResponse::json(500, "{}"), "kTradAlertConnection5xx"},
      {"503", HttpResponse::text(503, "busy"), "kTradAlertConnection5xx"},
      {"600", HttpResponse::text(600, "gateway off"), "kTradAlertGatewayOff"},
      {"615", HttpResponse::text(615, "no credit"), "kTradNoRecOption"},
      {"620", HttpResponse::text(620, "privacy"), "kTradAlertPrivacyMode"},
      {"another gateway code", HttpResponse::text(601, "other"), "kTradAlertGatewayRefused"},
      {"302 has no alert", HttpResponse::text(302, "elsewhere"), nullptr},
  };
  launch();
  signInAndDismissPopup();
  ui::Window* window = app->window();
  for (const Case& c : cases) {
    server.script().enqueue(c.answer);
    BEStatusCodeManager::resetFailures();  // each case is a new fault (a lasting one is told once)
    const int before = finishedRequests();
    BEServiceDevice::getInstance().getList();
    ASSERT_TRUE(waitForFinished(before + 1)) << c.what;

    if (!c.messageKey) {
      EXPECT_TRUE(window->alerts().isEmpty()) << c.what;
      continue;
    }
    ASSERT_EQ(window->alerts().size(), 1) << c.what;
    ui::AlertView* alert = window->alerts().first();
    EXPECT_EQ(alert->message(), foundation::localized(c.messageKey)) << c.what;
    EXPECT_FALSE(alert->message().isEmpty()) << c.what << ": no text for " << c.messageKey;
    EXPECT_EQ(alert->title(), QString()) << c.what;
    EXPECT_EQ(alert->numberOfButtons(), 1) << c.what;
    EXPECT_FALSE(app->isLogOut()) << c.what;
    alert->clickButtonAtIndex(0);
    EXPECT_EQ(app->popupWindow(), nullptr) << c.what << ": no login popup";
    EXPECT_TRUE(window->alerts().isEmpty()) << c.what;
  }
}

TEST_F(AlertsTest, ARefusedSignInRaisesNoAlert) {
  launch();
  EXPECT_FALSE(signInWith(QStringLiteral("demo"), QStringLiteral("wrong"), false, HttpResponse::json(403, "{}")));
  EXPECT_TRUE(app->window()->alerts().isEmpty());
  EXPECT_FALSE(app->isLogOut());
  EXPECT_NE(app->popupWindow(), nullptr) << "the login stays open";
}

TEST_F(AlertsTest, StartUpForgetsTheAutoLoginFlagWhenNoPasswordIsStored) {
  auto& preferences = foundation::Preferences::standard();
  preferences.setBool(foundation::kAutoLogPref, true);
  preferences.setString(foundation::kLoginPref, QStringLiteral("demo"));
  launch();
  EXPECT_FALSE(preferences.contains(foundation::kAutoLogPref));
  ASSERT_NE(loginScreen(), nullptr);
  EXPECT_EQ(loginScreen()->postUserName()->text(), QString());
  EXPECT_EQ(loginScreen()->postPassword()->text(), QString());
  EXPECT_FALSE(loginScreen()->rememberState()->isOn());
}

TEST_F(AlertsTest, StartUpLeavesTheMenuUnderTheLoginPopupWithTheOverlayReadyAndTheSpinnerWired) {
  launch();
  ui::Window* window = app->window();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isStatusBarHidden());
  EXPECT_EQ(window->rootViewController(), app->navigationController());
  EXPECT_EQ(app->navigationController()->rootViewController(), static_cast<ui::Screen*>(app->rootViewController()));
  ASSERT_NE(app->popupWindow(), nullptr);
  EXPECT_EQ(app->popupWindow()->windowLevel(), ui::WindowLevel::Alert);
  EXPECT_EQ(app->popupWindow()->geometry(), window->applicationFrame());
  EXPECT_FALSE(app->releasedPopup());

  // The overlay the screens use: in the session store, hidden, over the navigation stack only.
  ASSERT_NE(BESessionManager::getInstance().uiHUD(), nullptr);
  ui::ProgressHUD* hud = app->progressHUD();
  ASSERT_NE(hud, nullptr);
  EXPECT_FALSE(hud->isShowing());
  EXPECT_EQ(hud->labelText(), QStringLiteral("Chargement ..."));
  EXPECT_EQ(hud->view()->parentWidget(), app->navigationController()->view());
  BESessionManager::getInstance().uiHUD()->show(false);
  EXPECT_TRUE(hud->isShowing());
  BESessionManager::getInstance().uiHUD()->hide(false);
  EXPECT_FALSE(hud->isShowing());

  // The network activity counter drives the status bar's spinner, once it lasts a moment.
  rest::resetNetworkActivity();
  rest::pushNetworkActivity();
  rest::popNetworkActivity();
  clock.advanceBy(app::StatusBarActivity::kShowAfterSeconds + 0.1);
  EXPECT_FALSE(window->statusBar()->isNetworkActivityVisible()) << "an answer at once shows nothing";
  rest::pushNetworkActivity();
  EXPECT_FALSE(window->statusBar()->isNetworkActivityVisible());
  clock.advanceBy(app::StatusBarActivity::kShowAfterSeconds + 0.1);
  EXPECT_TRUE(window->statusBar()->isNetworkActivityVisible());
  rest::popNetworkActivity();
  EXPECT_FALSE(window->statusBar()->isNetworkActivityVisible());
}

}  // namespace
