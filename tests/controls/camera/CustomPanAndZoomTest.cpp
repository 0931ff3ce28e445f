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
    QObject::connect(panel, &CustomPanAndZoom::panRequested, [this](CustomPanAndZoom::Direction d) {
      static const char* const kNames[] = {"left", "right", "up", "down", "reset"};
      posted.push_back(kNames[d]);
    });
    QObject::connect(panel, &CustomPanAndZoom::recordRequested, [this] { posted.push_back("rec"); });
    QObject::connect(panel, &CustomPanAndZoom::closeRequested, [this] { posted.push_back("close"); });
    QObject::connect(panel, &CustomPanAndZoom::stopRequested, [this] { posted.push_back("stop"); });
  }
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
  std::vector<std::string> posted;
};

}  // namespace

TEST_F(CustomPanAndZoomTest, ButtonsSignalOnTouchDownAndNothingMoreOnRelease) {
  for (ui::Button* button : {panel->panRight(), panel->stop()}) {
    posted.clear();
    uitest::press(button, button->rect().center());
    EXPECT_EQ(posted.size(), 1u) << "before the finger lifts";
    uitest::release(button, button->rect().center());
    EXPECT_EQ(posted.size(), 1u);
  }
  EXPECT_EQ(posted, std::vector<std::string>{"stop"});
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
  EXPECT_EQ(posted, (std::vector<std::string>{"left", "left"}));
}

TEST_F(CustomPanAndZoomTest, APanelThatGoesTakesItsTimersWithIt) {
  uitest::tap(panel->panUp());
  uitest::tap(panel->panReset());
  EXPECT_EQ(clock.pendingCount(), 2u);
  delete panel;
  EXPECT_EQ(clock.pendingCount(), 0u);
  EXPECT_EQ(clock.advanceBy(5.0), 0);
}

TEST_F(CustomPanAndZoomTest, GroupsOfButtonsHideAndShow) {
  panel->setPanVisible(false);
  EXPECT_EQ(visibleButtons(), (std::vector<std::string>{"rec", "close", "stop"}));
  panel->setRecVisible(false);
  EXPECT_EQ(visibleButtons(), (std::vector<std::string>{"close", "stop"}));
  panel->setPanVisible(true);
  panel->setRecVisible(true);
  EXPECT_EQ(visibleButtons().size(), 8u);
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
