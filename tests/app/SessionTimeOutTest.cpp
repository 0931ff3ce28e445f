// A lost session end to end: requests refused with 403, one alert, a new login popup from its
// button, the sign-in, and the menu back at its root once the popup starts to fade.
#include "ShellTestSupport.h"

#include "controls/AppNotifications.h"
#include "app/RightVerticalNav.h"
#include "app/RootViewController.h"
#include "app/ScreenCatalog.h"

#include "backend/BEServiceDevice.h"
#include "backend/BEServiceMode.h"
#include "backend/BESessionManager.h"
#include "foundation/Strings.h"
#include "support/Wait.h"
#include "ui/Animation.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

#include <QCoreApplication>
#include <QVariantAnimation>

using namespace shelltest;
using simcore::HttpResponse;

namespace {

constexpr int kLightingRow = 2;
constexpr int kWeatherRow = 6;

class SessionTimeOutTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    for (const char* name : {"MyLightingController", "MyWeatherController"})
      app::ScreenCatalog::shared().registerScreen(QString::fromLatin1(name), [] { return new CountedScreen(); });
  }
  void TearDown() override {
    ShellTest::TearDown();
    for (const char* name : {"MyLightingController", "MyWeatherController"})
      app::ScreenCatalog::shared().unregisterScreen(QString::fromLatin1(name));
    app::registerKnownScreens(app::ScreenCatalog::shared());  // the app's own screens back
  }
};

TEST_F(SessionTimeOutTest, ThreeRefusedRequestsGiveOneAlertThenANewSignInAndTheMenuPopsWhenTheFadeStarts) {
  launch();
  signInAndDismissPopup();
  ui::NavigationController* navigation = app->navigationController();
  RightVerticalNav* column = app->rootViewController()->rightVerticalNavTableCtrl();
  column->onItemClicked(kWeatherRow);
  column->onItemClicked(kLightingRow);
  ASSERT_EQ(navigation->viewControllers().size(), 3);

  // Three requests refused at the same time.
  for (int i = 0; i < 3; ++i) server.script().enqueue(HttpResponse::text(403, "session expired"));
  const int before = finishedRequests();
  BEServiceDevice::getInstance().getList();
  BEServiceMode::getInstance().getList();
  BEServiceDevice::getInstance().getActuatorList();
  ASSERT_TRUE(waitForFinished(before + 3));

  ui::Window* window = app->window();
  ASSERT_EQ(window->alerts().size(), 1);
  ui::AlertView* alert = window->alerts().first();
  EXPECT_EQ(alert->message(), foundation::localized("kTradAlertSessionTimeOut"));
  EXPECT_EQ(alert->title(), QString());
  EXPECT_EQ(alert->cancelButtonTitle(), foundation::localized("kTradAlertBtnOk"));
  EXPECT_TRUE(app->isLogOut());
  EXPECT_EQ(app->popupWindow(), nullptr);

  // The button opens a new login popup with a new login screen.
  QPointer<ui::Screen> firstLogin = app->popupController();
  alert->clickButtonAtIndex(0);
  ASSERT_NE(app->popupWindow(), nullptr);
  EXPECT_TRUE(app->popupWindow()->isVisible());
  EXPECT_FALSE(app->releasedPopup());
  EXPECT_TRUE(firstLogin.isNull());
  ASSERT_NE(loginScreen(), nullptr);
  EXPECT_EQ(window->popups().size(), 1);

  // Watch the fade run this time.
  ui::Animation::setDurationScale(1);
  QPointer<ui::PopupWindow> popup = app->popupWindow();
  struct AtRenew {
    bool fading = false;
    bool popupShown = false;
    int fadeMs = 0;
    bool logOut = true;
  };
  std::vector<AtRenew> renewals;
  foundation::Observations watch;
  watch.add(kRenewSession, [&](const foundation::Notification&) {
    AtRenew seen;
    seen.fading = ui::Animation::isRunning(popup, TavroBoxAppAppDelegate::kPopupFadeAnimation);
    seen.popupShown = popup && popup->isVisible();
    if (auto* fade = popup ? popup->findChild<QVariantAnimation*>() : nullptr) seen.fadeMs = fade->duration();
    seen.logOut = app->isLogOut();
    renewals.push_back(seen);
  });

  ASSERT_TRUE(signInWith(QStringLiteral("demo"), QStringLiteral("demo"), false, HttpResponse::json(200, signInAnswer("S2"))));
  EXPECT_EQ(BESessionManager::getInstance().sessionId(), "S2");
  clock.advanceBy(1.9);
  EXPECT_TRUE(renewals.empty()) << "the popup stays 2.0 s after the sign-in";
  EXPECT_TRUE(popup && popup->isVisible());
  clock.advanceBy(0.1);
  ASSERT_EQ(renewals.size(), 1u);
  EXPECT_TRUE(renewals[0].fading) << "announced when the fade starts";
  EXPECT_TRUE(renewals[0].popupShown);
  EXPECT_EQ(renewals[0].fadeMs, 500);
  EXPECT_FALSE(renewals[0].logOut);

  // One animated pop takes both screens off the stack.
  EXPECT_TRUE(navigation->isTransitioning());
  ASSERT_TRUE(tbtest::waitUntil([&] { return !navigation->isTransitioning() && CountedScreen::alive() == 0; }));
  EXPECT_EQ(navigation->viewControllers(), QList<ui::Screen*>{app->rootViewController()});
  EXPECT_TRUE(navigation->isNavigationBarHidden());

  // The end of the fade releases the popup; the menu has the keyboard again.
  ui::Animation::finish(popup, TavroBoxAppAppDelegate::kPopupFadeAnimation);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(popup.isNull());
  EXPECT_TRUE(app->releasedPopup());
  EXPECT_EQ(window->keyPopup(), nullptr);
  EXPECT_EQ(renewals.size(), 1u);
}

TEST_F(SessionTimeOutTest, AnotherAlertsButtonAlsoStartsTheNewLoginButOnlyOnePopupOpens) {
  launch();
  signInAndDismissPopup();
  server.script().enqueue(HttpResponse::text(403, "session expired"));
  server.script().enqueue(HttpResponse::json(500, "{}"));
  const int before = finishedRequests();
  BEServiceDevice::getInstance().getList();
  BEServiceMode::getInstance().getList();
  ASSERT_TRUE(waitForFinished(before + 2));

  ui::Window* window = app->window();
  ASSERT_EQ(window->alerts().size(), 2);
  const auto alertSaying = [&](const char* key) -> ui::AlertView* {
    for (ui::AlertView* alert : window->alerts())
      if (alert->message() == foundation::localized(key)) return alert;
    return nullptr;
  };
  ASSERT_NE(alertSaying("kTradAlertConnection5xx"), nullptr);
  ASSERT_NE(alertSaying("kTradAlertSessionTimeOut"), nullptr);
  alertSaying("kTradAlertConnection5xx")->clickButtonAtIndex(0);
  ASSERT_NE(loginScreen(), nullptr);
  QPointer<ui::Screen> login = app->popupController();
  ASSERT_EQ(window->popups().size(), 1);

  alertSaying("kTradAlertSessionTimeOut")->clickButtonAtIndex(0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window->popups().size(), 1);
  EXPECT_EQ(app->popupController(), login.data()) << "the open login screen is kept";
  EXPECT_TRUE(window->alerts().isEmpty());

  // The one popup goes after the sign-in, and nothing stays above the menu.
  ASSERT_TRUE(signInWith(QStringLiteral("demo"), QStringLiteral("demo"), false, HttpResponse::json(200, signInAnswer("S2"))));
  clock.advanceBy(TavroBoxAppAppDelegate::kLoginScreenDelaySeconds);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window->popups().isEmpty());
  EXPECT_FALSE(app->isLogOut());
}

TEST_F(SessionTimeOutTest, HidingAPopupAlreadyReleasedOnlyAnnouncesTheRenewedSession) {
  launch();
  signInAndDismissPopup();
  server.script().enqueue(HttpResponse::text(403, "session expired"));
  const int before = finishedRequests();
  BEServiceDevice::getInstance().getList();
  ASSERT_TRUE(waitForFinished(before + 1));
  ASSERT_TRUE(app->isLogOut());

  NotificationLog renewed({kRenewSession});
  ui::Animation::setDurationScale(1);
  app->hideLoginScreen();
  EXPECT_EQ(renewed.names(), QStringList{kRenewSession});
  EXPECT_FALSE(app->isLogOut());
  EXPECT_EQ(app->popupWindow(), nullptr);
  EXPECT_TRUE(app->window()->popups().isEmpty());
}

}  // namespace
