#include "controls/switches/CustomAutoSwitch.h"
#include "controls/switches/CustomSwitch.h"


#include "UiTestSupport.h"
#include "support/ManualClockFixture.h"
#include "support/TestNames.h"

#include <QColor>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

// What the handlers of one switch saw: isOn at each value-changed.
struct Heard {
  std::vector<bool> valueChanged;
};

void listen(CustomSwitch* s, Heard* heard) {
  QObject::connect(s, &ui::Control::valueChanged, [s, heard] { heard->valueChanged.push_back(s->isOn()); });
}

class SwitchTest : public tbtest::ManualClockFixture {
 protected:
  void SetUp() override {
    ManualClockFixture::SetUp();
    host.resize(200, 100);
    host.show();
  }
  // Widgets added to a window already on screen stay hidden until shown.
  template <class T>
  T* shown(T* widget) {
    widget->show();
    return widget;
  }
  QWidget host;
};

}  // namespace

struct LookCase {
  const char* colorId;
  bool selected;
  const char* onImage;
};
void PrintTo(const LookCase& c, std::ostream* os) { *os << '"' << c.colorId << "\" " << (c.selected ? "on" : "off"); }

class SwitchLook : public SwitchTest, public ::testing::WithParamInterface<LookCase> {};

TEST_P(SwitchLook, ShowsItsThemeAndStateWithoutReporting) {
  const LookCase& c = GetParam();
  Heard heard;
  auto* s = new CustomSwitch(QPoint(10, 10), c.selected, QString::fromLatin1(c.colorId), &host);
  listen(s, &heard);
  EXPECT_EQ(s->isOn(), c.selected);
  EXPECT_EQ(s->value(), c.selected ? 1.0 : 0.0);
  EXPECT_EQ(s->onImageName(), QString::fromLatin1(c.onImage));
  EXPECT_EQ(s->offImageName(), QStringLiteral("switch_off.png"));
  EXPECT_EQ(s->thumbImageName(), QStringLiteral("switch_btn.png"));
  EXPECT_EQ(s->size(), QSize(CustomSwitch::kWidth, CustomSwitch::kHeight));
  s->setOn(!c.selected);
  s->setOnAnimated(c.selected, true);
  EXPECT_TRUE(heard.valueChanged.empty());
}

INSTANTIATE_TEST_SUITE_P(Themes, SwitchLook,
                         ::testing::Values(LookCase{"green", true, "switch_on_green.png"},
                                           LookCase{"syan", false, "switch_on_syan.png"},
                                           LookCase{"", false, "switch_on_red.png"},
                                           LookCase{"Green", true, "switch_on_red.png"},
                                           LookCase{"black", true, "switch_on_red.png"}));

// Every way a finger can complete a touch on the switch: it always turns over once and is heard
// once, already turned, with the thumb at the matching end. (A slider base reports only drags that
// moved its value, so a tap on the thumb or a drag back to where it began would toggle silently.)
struct TouchCase {
  const char* what;
  bool startOn;
  std::vector<std::pair<char, QPoint>> steps;  // in switch coordinates
};
void PrintTo(const TouchCase& c, std::ostream* os) { *os << c.what; }

class SwitchTouch : public SwitchTest, public ::testing::WithParamInterface<TouchCase> {};

TEST_P(SwitchTouch, TogglesOnceAndReportsOnce) {
  const TouchCase& c = GetParam();
  auto* s = shown(new CustomSwitch(QPoint(20, 20), c.startOn, QStringLiteral("blue"), &host));
  Heard heard;
  listen(s, &heard);
  for (const auto& [kind, pos] : c.steps) {
    if (kind == 'p') uitest::press(s, pos);
    if (kind == 'm') uitest::move(s, pos);
    if (kind == 'r') uitest::release(s, pos);
  }
  EXPECT_EQ(heard.valueChanged, std::vector<bool>{!c.startOn});
  EXPECT_EQ(s->isOn(), !c.startOn);
  EXPECT_EQ(s->value(), c.startOn ? 0.0 : 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Fingers, SwitchTouch,
    ::testing::Values(
        TouchCase{"tap on the thumb", false, {{'p', {15, 15}}, {'r', {15, 15}}}},
        TouchCase{"tap on the track", false, {{'p', {60, 15}}, {'r', {60, 15}}}},
        TouchCase{"tap on an on switch", true, {{'p', {56, 15}}, {'r', {56, 15}}}},
        TouchCase{"drag across", false, {{'p', {15, 15}}, {'m', {40, 15}}, {'m', {70, 15}}, {'r', {70, 15}}}},
        TouchCase{"short drag", false, {{'p', {15, 15}}, {'m', {19, 15}}, {'r', {19, 15}}}},
        TouchCase{"drag back to the start", false, {{'p', {15, 15}}, {'m', {45, 15}}, {'m', {15, 15}}, {'r', {15, 15}}}},
        TouchCase{"drag the wrong way", true, {{'p', {56, 15}}, {'m', {70, 15}}, {'r', {70, 15}}}},
        TouchCase{"drag ending outside", false, {{'p', {15, 15}}, {'m', {140, 60}}, {'r', {140, 60}}}}),
    [](const auto& info) { return tbtest::testNameFrom(info.param.what); });

TEST_F(SwitchTest, ATouchThatNeverCompletesChangesNothing) {
  auto* s = shown(new CustomSwitch(QPoint(20, 20), false, QStringLiteral("blue"), &host));
  Heard heard;
  listen(s, &heard);
  // The switch goes away under the finger (its row scrolled off and was hidden).
  uitest::press(s, {15, 15});
  s->hide();
  EXPECT_FALSE(s->isOn());
  s->show();
  uitest::release(s, {15, 15});
  // Disabled: a tap does nothing at all.
  s->setEnabled(false);
  uitest::tap(s);
  EXPECT_FALSE(s->isOn());
  EXPECT_TRUE(heard.valueChanged.empty());
}

TEST_F(SwitchTest, TintReplacesTheOnTrackOnce) {
  CustomSwitch s(QPoint(0, 0), true, QStringLiteral("yellow"), &host);
  s.setTintColor(QColor(Qt::magenta));
  EXPECT_EQ(s.onImageName(), QStringLiteral("switchBlueBg.png"));
  EXPECT_EQ(s.tintColor(), QColor(Qt::magenta));
  s.setTintColor(QColor());
  EXPECT_EQ(s.onImageName(), QStringLiteral("switch_on_yellow.png"));
}

// -- The pulse switch --------------------------------------------------------------------------

TEST_F(SwitchTest, PulseSwitchIsHeardOnceAndFallsBackSilentlyAfterThreeSeconds) {
  auto* s = shown(new CustomAutoSwitch(QPoint(20, 20), false, QStringLiteral("green"), &host));
  Heard heard;
  listen(s, &heard);
  uitest::tap(s);
  EXPECT_EQ(heard.valueChanged, std::vector<bool>{true});
  uitest::tap(s);  // ignored while the pulse runs
  clock.advanceBy(2.9);
  EXPECT_TRUE(s->isOn());
  clock.advanceBy(0.1);
  EXPECT_FALSE(s->isOn());
  EXPECT_EQ(s->value(), 0.0);
  EXPECT_EQ(heard.valueChanged.size(), 1u);
  uitest::tap(s);  // touches again
  EXPECT_EQ(heard.valueChanged, (std::vector<bool>{true, true}));
}

TEST_F(SwitchTest, DestroyingAPulseSwitchCancelsItsReturn) {
  auto* s = shown(new CustomAutoSwitch(QPoint(20, 20), false, QStringLiteral("green"), &host));
  uitest::tap(s);
  ASSERT_TRUE(s->isReturnPending());
  delete s;
  EXPECT_EQ(clock.pendingCount(), 0u);
  EXPECT_EQ(clock.advanceBy(5.0), 0);
}

TEST_F(SwitchTest, PulseSwitchSetOnFromCodeAlsoFallsBack) {
  CustomAutoSwitch s(QPoint(0, 0), true, QStringLiteral("red"), &host);
  EXPECT_TRUE(s.isOn());
  EXPECT_FALSE(s.isUserInteractionEnabled());
  clock.advanceBy(3.0);
  EXPECT_FALSE(s.isOn());
  EXPECT_TRUE(s.isUserInteractionEnabled());
}
