#include "ui/ActivityIndicatorView.h"
#include "ui/AlertView.h"
#include "ui/PopupWindow.h"
#include "ui/Screen.h"
#include "ui/StatusBar.h"
#include "ui/Window.h"

#include "UiTestSupport.h"
#include "support/ManualClockFixture.h"

#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using ui::Orientation;

namespace {

// A screen that accepts the orientations it is given and logs rotations.
class TurningScreen : public ui::Screen {
 public:
  TurningScreen(std::vector<Orientation> accepted, std::vector<std::string>* log) : m_accepted(std::move(accepted)), m_log(log) {}
  bool shouldAutorotateToInterfaceOrientation(Orientation o) const override {
    return std::find(m_accepted.begin(), m_accepted.end(), o) != m_accepted.end();
  }
  void willRotateToInterfaceOrientation(Orientation, double) override {
    m_log->push_back("will:" + std::to_string(view()->width()) + "x" + std::to_string(view()->height()));
  }
  void didRotateFromInterfaceOrientation(Orientation) override {
    m_log->push_back("did:" + std::to_string(view()->width()) + "x" + std::to_string(view()->height()));
  }

 private:
  std::vector<Orientation> m_accepted;
  std::vector<std::string>* m_log;
};

class WindowTest : public tbtest::ManualClockFixture {};

}  // namespace

TEST_F(WindowTest, ThePhoneIs320By480WithA20PointStatusBarAboveTheApplicationArea) {
  ui::Window window;
  EXPECT_EQ(window.size(), QSize(320, 480));
  EXPECT_EQ(window.statusBar()->geometry(), QRect(0, 0, 320, 20));
  EXPECT_EQ(window.applicationFrame(), QRect(0, 20, 320, 460));
  ui::Screen screen;
  window.setRootViewController(&screen);
  EXPECT_EQ(screen.view()->geometry(), QRect(0, 20, 320, 460));
  window.setStatusBarHidden(true);
  EXPECT_EQ(window.applicationFrame(), QRect(0, 0, 320, 480));
  EXPECT_EQ(screen.view()->geometry(), QRect(0, 0, 320, 480));
  window.setRootViewController(nullptr);
}

TEST_F(WindowTest, TheClockShowsTheSchedulersTimeAndTurnsWithTheMinute) {
  clock.setTimeZone(QTimeZone("Europe/Paris"));
  clock.setNow(QDateTime(QDate(2013, 3, 3), QTime(21, 41, 50), QTimeZone("Europe/Paris")));
  ui::StatusBar bar;
  EXPECT_EQ(bar.clockText(), QStringLiteral("21:41"));
  clock.advanceBy(9);
  EXPECT_EQ(bar.clockText(), QStringLiteral("21:41"));
  clock.advanceBy(1.1);
  EXPECT_EQ(bar.clockText(), QStringLiteral("21:42"));
  clock.advanceBy(60 * 18);
  EXPECT_EQ(bar.clockText(), QStringLiteral("22:00"));
}

TEST_F(WindowTest, TheNetworkActivityIndicatorShowsExactlyWhileAskedAndSpins) {
  ui::Window window;
  window.makeKeyAndVisible();
  ui::StatusBar* bar = window.statusBar();
  EXPECT_FALSE(bar->isNetworkActivityVisible());
  EXPECT_FALSE(bar->activityIndicator()->isVisible());
  bar->setNetworkActivityVisible(true);
  bar->setNetworkActivityVisible(true);
  EXPECT_TRUE(bar->activityIndicator()->isVisible());
  const int phase = bar->activityIndicator()->phase();
  clock.advanceBy(0.25);
  EXPECT_NE(bar->activityIndicator()->phase(), phase);
  bar->setNetworkActivityVisible(false);  // not counted: one call hides it
  EXPECT_FALSE(bar->activityIndicator()->isVisible());
  EXPECT_FALSE(bar->activityIndicator()->isAnimating());
}

TEST_F(WindowTest, APopupCoversTheApplicationAreaAboveTheContentAndBelowTheAlerts) {
  ui::Window window;
  ui::Screen main;
  window.setRootViewController(&main);
  auto* field = new QLineEdit(main.view());
  window.makeKeyAndVisible();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  field->setFocus();

  ui::Screen login;
  auto* user = new QLineEdit(login.view());
  auto* popup = new ui::PopupWindow(&window);
  popup->setRootViewController(&login);
  popup->makeKeyAndVisible();
  EXPECT_EQ(popup->geometry(), window.applicationFrame());
  EXPECT_EQ(popup->windowLevel(), ui::WindowLevel::Alert);
  EXPECT_TRUE(popup->isKeyWindow());
  EXPECT_EQ(window.childAt(160, 200), login.view());
  EXPECT_TRUE(user->hasFocus());

  (new ui::AlertView(QString(), QStringLiteral("Session expired"), nullptr, QStringLiteral("OK")))->show(&window);
  const QWidget* onTop = window.childAt(5, 30);
  EXPECT_EQ(onTop->objectName(), QStringLiteral("alertLayer"));
  window.alerts().first()->clickButtonAtIndex(0);

  delete popup;  // released after its fade-out: the main content has the keyboard again
  EXPECT_EQ(window.keyPopup(), nullptr);
  EXPECT_TRUE(field->hasFocus());
  EXPECT_EQ(window.childAt(160, 200), main.view());
  window.setRootViewController(nullptr);
}

TEST_F(WindowTest, TheInterfaceTurnsOnlyWhenTheScreenOnShowAcceptsIt) {
  std::vector<std::string> log;
  ui::Window window;
  TurningScreen portraitOnly({Orientation::Portrait}, &log);
  window.setRootViewController(&portraitOnly);
  window.makeKeyAndVisible();
  window.setDeviceOrientation(Orientation::LandscapeLeft);
  EXPECT_EQ(window.deviceOrientation(), Orientation::LandscapeLeft);
  EXPECT_EQ(window.interfaceOrientation(), Orientation::Portrait);
  EXPECT_EQ(window.size(), QSize(320, 480));
  EXPECT_TRUE(log.empty());

  TurningScreen video({Orientation::Portrait, Orientation::LandscapeLeft, Orientation::LandscapeRight}, &log);
  window.setRootViewController(&video);
  window.setDeviceOrientation(Orientation::LandscapeLeft);  // the device is already there: the new screen turns
  EXPECT_EQ(window.interfaceOrientation(), Orientation::LandscapeLeft);
  EXPECT_EQ(window.size(), QSize(480, 320));
  EXPECT_EQ(window.applicationFrame(), QRect(0, 20, 480, 300));
  EXPECT_EQ(video.interfaceOrientation(), Orientation::LandscapeLeft);
  EXPECT_EQ(log, (std::vector<std::string>{"will:320x460", "did:480x300"}));

  window.setDeviceOrientation(Orientation::Portrait);
  EXPECT_EQ(window.size(), QSize(320, 480));
  EXPECT_EQ(video.view()->size(), QSize(320, 460));
  window.setRootViewController(nullptr);
}

TEST_F(WindowTest, TheKeyboardShortcutTurnsTheDevice) {
  ui::Window window;
  window.makeKeyAndVisible();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(window.deviceOrientation(), Orientation::LandscapeRight);
  QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(window.deviceOrientation(), Orientation::Portrait);
}

struct ScaleCase {
  const char* name;
  QStringList arguments;
  bool ok;
  double scale;
};

void PrintTo(const ScaleCase& c, std::ostream* os) { *os << c.arguments.join(' ').toStdString(); }

class DisplayScaleArguments : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DisplayScaleArguments, AreReadOrRefusedWithAClearMessage) {
  const auto result = ui::Window::displayScaleFromArguments(GetParam().arguments);
  ASSERT_EQ(result.ok(), GetParam().ok) << qPrintable(GetParam().arguments.join(' '));
  if (result.ok()) {
    EXPECT_DOUBLE_EQ(*result, GetParam().scale);
  } else {
    EXPECT_NE(result.error().message.find("--scale"), std::string::npos) << result.error().message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, DisplayScaleArguments,
    ::testing::Values(ScaleCase{"noOption", {"app"}, true, 1.0},
                      ScaleCase{"separateValue", {"app", "--scale", "2"}, true, 2.0},
                      ScaleCase{"joinedValue", {"app", "--scale=1.5"}, true, 1.5},
                      ScaleCase{"afterAnotherOption", {"app", "--config", "x", "--scale", "0.5"}, true, 0.5},
                      ScaleCase{"missingValue", {"app", "--scale"}, false, 0},
                      ScaleCase{"notANumber", {"app", "--scale", "big"}, false, 0},
                      ScaleCase{"zero", {"app", "--scale=0"}, false, 0},
                      ScaleCase{"tooLarge", {"app", "--scale", "9"}, false, 0},
                      ScaleCase{"nan", {"app", "--scale", "nan"}, false, 0},
                      ScaleCase{"negative", {"app", "--scale=-2"}, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayScale, CannotChangeOnceTheApplicationRuns) {
  EXPECT_FALSE(ui::Window::setDisplayScale(2.0));
  EXPECT_FALSE(ui::Window::setDisplayScale(40.0));
  EXPECT_DOUBLE_EQ(ui::Window::displayScale(), 1.0);
}

TEST_F(WindowTest, AWindowDestroyedWithItsPopupsStillOpenTakesThemWithIt) {
  QPointer<ui::PopupWindow> open, fading;
  {
    ui::Window window;
    ui::Screen login;
    open = new ui::PopupWindow(&window);
    open->setRootViewController(&login);
    open->makeKeyAndVisible();
    fading = new ui::PopupWindow(&window, ui::WindowLevel::Alert);
    fading->makeKeyAndVisible();
    fading->deleteLater();  // released at the end of a fade that the window does not outlive
    EXPECT_EQ(window.popups().size(), 2);
  }
  EXPECT_TRUE(open.isNull());
  EXPECT_TRUE(fading.isNull());
}
