#include "controls/playstop/CustomPlayStop.h"

#include "ui/ImageView.h"

#include "UiTestSupport.h"
#include "support/TestNames.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

class PlayStopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(200, 100);
    host.show();
  }
  CustomPlayStop* make(bool selected, const QString& colorId = QStringLiteral("green")) {
    auto* control = new CustomPlayStop(QRect(20, 20, CustomPlayStop::kWidth, CustomPlayStop::kHeight), selected, colorId, &host);
    control->show();  // added to a window already on screen
    return control;
  }
  QWidget host;
};

QStringList picturesOf(QWidget* face) {
  QStringList names;
  for (auto* image : face->findChildren<ui::ImageView*>()) names << image->imageName();
  return names;
}

}  // namespace

TEST_F(PlayStopTest, FacesFollowTheStateAndTheTheme) {
  struct Case {
    const char* colorId;
    const char* lit;
  };
  for (const Case& c : {Case{"purple", "play_on_purple.png"}, Case{"", "play_on_red.png"}, Case{"Blue", "play_on_red.png"}}) {
    CustomPlayStop* running = make(true, QString::fromLatin1(c.colorId));
    EXPECT_TRUE(running->play()->isVisibleTo(running));
    EXPECT_FALSE(running->stop()->isVisibleTo(running));
    EXPECT_EQ(picturesOf(running->play()), (QStringList{QString::fromLatin1(c.lit), QStringLiteral("stop_off.png")}));
    EXPECT_EQ(picturesOf(running->stop()), (QStringList{QStringLiteral("play_off.png"), QStringLiteral("stop_off.png")}));
    running->setPlayStopSelected(false);
    EXPECT_FALSE(running->play()->isVisibleTo(running));
    EXPECT_TRUE(running->stop()->isVisibleTo(running));
    running->setPlayStopSelected(false);
    EXPECT_TRUE(running->stop()->isVisibleTo(running));
  }
}

// The owner sends its command from touch-up-inside. Whatever the finger does, what the owner
// heard must match what the control shows afterwards: a lift outside sends nothing and changes
// nothing. (Sending on touch-down and toggling on the lift would send a command for a tap the
// control never showed.)
struct FingerCase {
  const char* what;
  std::vector<std::pair<char, QPoint>> steps;  // in control coordinates
  std::vector<bool> heard;                     // isSelected() in each touch-up-inside
  bool selectedAfter;
};
void PrintTo(const FingerCase& c, std::ostream* os) { *os << c.what; }

class PlayStopFinger : public PlayStopTest, public ::testing::WithParamInterface<FingerCase> {};

TEST_P(PlayStopFinger, CommandAndToggleRideOnTheSameEvent) {
  CustomPlayStop* control = make(false);
  std::vector<bool> heard;
  int downs = 0;
  QObject::connect(control, &ui::Control::touchDown, [&] { ++downs; });
  QObject::connect(control, &ui::Control::touchUpInside, [&] { heard.push_back(control->isSelected()); });
  for (const auto& [kind, pos] : GetParam().steps) {
    if (kind == 'p') uitest::press(control, pos);
    if (kind == 'm') uitest::move(control, pos);
    if (kind == 'r') uitest::release(control, pos);
  }
  EXPECT_EQ(heard, GetParam().heard);
  EXPECT_EQ(control->isSelected(), GetParam().selectedAfter);
  EXPECT_EQ(control->play()->isVisible(), GetParam().selectedAfter);
  EXPECT_GT(downs, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fingers, PlayStopFinger,
    ::testing::Values(FingerCase{"tap", {{'p', {10, 10}}, {'r', {10, 10}}}, {true}, true},
                      FingerCase{"two taps", {{'p', {10, 10}}, {'r', {10, 10}}, {'p', {60, 10}}, {'r', {60, 10}}}, {true, false}, false},
                      FingerCase{"lift outside", {{'p', {10, 10}}, {'m', {150, 70}}, {'r', {150, 70}}}, {}, false},
                      FingerCase{"out and back in", {{'p', {10, 10}}, {'m', {150, 70}}, {'m', {30, 20}}, {'r', {30, 20}}}, {true}, true}),
    [](const auto& info) { return tbtest::testNameFrom(info.param.what); });

TEST_F(PlayStopTest, DisabledControlIgnoresTaps) {
  CustomPlayStop* control = make(true);
  control->setIdentifier(QStringLiteral("012"));
  control->setEnabled(false);
  int ups = 0;
  QObject::connect(control, &ui::Control::touchUpInside, [&] { ++ups; });
  uitest::tap(control);
  EXPECT_EQ(ups, 0);
  EXPECT_TRUE(control->isSelected());
  EXPECT_EQ(control->identifier(), QStringLiteral("012"));
}
