#include "controls/camera/CustomPanAndZoom.h"

#include "ui/Button.h"

#include "UiTestSupport.h"
#include "support/ManualClockFixture.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CustomPanAndZoomTest : public tbtest::ManualClockFixture {
 protected:
  void SetUp() override {
    ManualClockFixture::SetUp();
    host.resize(480, 480);
    panel = new CustomPanAndZoom(CustomPanAndZoom::kPortraitFrame, &host);
    host.show();
    for (const char* name : {kVideoPanLeft, kVideoPanRight, kVideoPanUp, kVideoPanDown, kVideoPanReset, kVideoRec,
                             kHideVideoMenu, kVideoMenuSendStop})
      heard.add(name, [this](const foundation::Notification& n) { posted.push_back(n.name); });
  }
  static void post(const char* name) { foundation::NotificationCenter::defaultCenter().post(name); }
  std::vector<std::string> visibleButtons() const {
    std::vector<std::string> out;
    const std::pair<const char*, ui::Button*> all[] = {
        {"left", panel->panLeft()}, {"right", panel->panRight()}, {"up", panel->panUp()}, {"down", panel->panDown()},
        {"reset", panel->panReset()}, {"rec", panel->rec()}, {"close", panel->close()}, {"stop", panel->stop()}};
    for (const auto& [name, button] : all)
      if (button->isVisibleTo(panel)) out.push_back(name);
    return out;
  }

  QWidget host;
  CustomPanAndZoom* panel = nullptr;
  foundation::Observations heard;
  std::vector<std::string> posted;
};

}  // namespace

TEST_F(CustomPanAndZoomTest, ButtonsPostOnTouchDownAndNothingMoreOnRelease) {
  for (ui::Button* button : {panel->panRight(), panel->stop()}) {
    posted.clear();
    uitest::press(button, button->rect().center());
    EXPECT_EQ(posted.size(), 1u) << "before the finger lifts";
    uitest::release(button, button->rect().center());
    EXPECT_EQ(posted.size(), 1u);
  }
  EXPECT_EQ(posted, std::vector<std::string>{kVideoMenuSendStop});
}

TEST_F(CustomPanAndZoomTest, APanPressShowsThePressedPictureUntilOneAndAHalfSecondsAfterTheLastPress) {
  ui::Button* left = panel->panLeft();
  EXPECT_EQ(left->currentImageName(), "camera_buttonPanLeft.png");
  uitest::tap(left);
  EXPECT_EQ(left->currentImageName(), "camera_buttonPanLeftClicked.png");
  clock.advanceBy(1.0);
  uitest::tap(left);  // a second press keeps it pressed
  clock.advanceBy(1.0);
  EXPECT_EQ(left->currentImageName(), "camera_buttonPanLeftClicked.png");
  clock.advanceBy(0.6);
  EXPECT_EQ(left->currentImageName(), "camera_buttonPanLeft.png");
  EXPECT_EQ(posted, (std::vector<std::string>{kVideoPanLeft, kVideoPanLeft}));
}

TEST_F(CustomPanAndZoomTest, APanelThatGoesTakesItsTimersWithIt) {
  uitest::tap(panel->panUp());
  uitest::tap(panel->panReset());
  EXPECT_EQ(clock.pendingCount(), 2u);
  delete panel;
  EXPECT_EQ(clock.pendingCount(), 0u);
  EXPECT_EQ(clock.advanceBy(5.0), 0);
}

TEST_F(CustomPanAndZoomTest, GroupsOfButtonsHideAndShowByNotification) {
  post(kHidePan);
  EXPECT_EQ(visibleButtons(), (std::vector<std::string>{"rec", "close", "stop"}));
  post(kHideRec);
  EXPECT_EQ(visibleButtons(), (std::vector<std::string>{"close", "stop"}));
  post(kShowPan);
  post(kShowRec);
  EXPECT_EQ(visibleButtons().size(), 8u);

  delete panel;  // a panel that went no longer listens
  post(kHidePan);
}

TEST_F(CustomPanAndZoomTest, TurningToLandscapeAndBackGivesThePortraitLayoutNotTheFirstOne) {
  const QRect created = panel->panDown()->geometry();
  panel->willRotateToInterfaceOrientationDuration(ui::Orientation::LandscapeLeft, 0.1);
  EXPECT_EQ(panel->geometry(), CustomPanAndZoom::kLandscapeFrame);
  EXPECT_EQ(panel->panRight()->geometry().right(), 469);  // spread over the 480-point width
  panel->willRotateToInterfaceOrientationDuration(ui::Orientation::Portrait, 0.1);
  EXPECT_EQ(panel->geometry(), CustomPanAndZoom::kPortraitFrame);
  EXPECT_EQ(panel->panDown()->geometry(), created.translated(0, 44));
}
