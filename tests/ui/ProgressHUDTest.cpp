#include "ui/Animation.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/ProgressHUD.h"
#include "ui/Views.h"

#include "UiTestSupport.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

class ProgressHUDTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(320, 460);
    button = new ui::Button(QRect(0, 0, 320, 460), &host);
    QObject::connect(button, &ui::Control::touchUpInside, [this] { ++presses; });
    hud = new ui::ProgressHUD(&host);
    host.show();
  }

  QWidget host;
  ui::Button* button = nullptr;
  ui::ProgressHUD* hud = nullptr;
  int presses = 0;
};

}  // namespace

TEST_F(ProgressHUDTest, StartsHiddenWithTheLoadingLabelAndCoversItsHost) {
  EXPECT_FALSE(hud->isShowing());
  EXPECT_FALSE(hud->isOnScreen());
  EXPECT_EQ(hud->labelText(), QStringLiteral("Chargement ..."));
  hud->show(false);
  EXPECT_EQ(hud->view()->geometry(), host.rect());
  host.resize(480, 300);
  EXPECT_EQ(hud->view()->geometry(), QRect(0, 0, 480, 300));
}

TEST_F(ProgressHUDTest, ShowsAndHidesAreNotCounted) {
  hud->show(true);
  hud->show(true);
  hud->show(false);
  EXPECT_TRUE(hud->isOnScreen());
  hud->hide(true);
  EXPECT_FALSE(hud->isShowing());
  EXPECT_FALSE(hud->isOnScreen());
  hud->hide(true);  // hiding a hidden overlay is harmless
  hud->show(true);
  EXPECT_TRUE(hud->isOnScreen());
}

TEST_F(ProgressHUDTest, FadesTakeTheirTimeAndAShowDuringAFadeOutKeepsItUp) {
  ui::Animation::setDurationScale(1.0);
  hud->show(true);
  EXPECT_TRUE(hud->isOnScreen());
  EXPECT_DOUBLE_EQ(ui::alpha(hud->view()), 0.0);  // the fade-in starts from nothing
  ui::Animation::finish(hud->view(), "alpha");
  EXPECT_DOUBLE_EQ(ui::alpha(hud->view()), 1.0);

  hud->hide(true);
  EXPECT_TRUE(hud->isOnScreen());  // still fading out
  hud->show(true);
  ui::Animation::finish(hud->view(), "alpha");
  EXPECT_TRUE(hud->isOnScreen());
  EXPECT_DOUBLE_EQ(ui::alpha(hud->view()), 1.0);

  hud->hide(true);
  ui::Animation::finish(hud->view(), "alpha");
  EXPECT_FALSE(hud->isOnScreen());
}

TEST_F(ProgressHUDTest, WhileShownTheContentTakesNoTouchesAndAfterwardsItDoes) {
  hud->show(true);
  uitest::tap(&host, {160, 40});
  EXPECT_EQ(presses, 0);
  hud->hide(false);
  uitest::tap(&host, {160, 40});
  EXPECT_EQ(presses, 1);
}

TEST_F(ProgressHUDTest, ViewsAddedLaterStayUnderTheOverlay) {
  hud->show(false);
  auto* pushed = new ui::Button(QRect(0, 0, 320, 460), &host);
  pushed->show();
  int pushedPresses = 0;
  QObject::connect(pushed, &ui::Control::touchUpInside, [&] { ++pushedPresses; });
  QWidget* topmost = nullptr;
  for (QObject* child : host.children()) {
    if (auto* w = qobject_cast<QWidget*>(child); w && w->isVisible()) topmost = w;
  }
  EXPECT_EQ(topmost, hud->view());
  uitest::tap(&host, {10, 10});
  EXPECT_EQ(pushedPresses, 0);
}
