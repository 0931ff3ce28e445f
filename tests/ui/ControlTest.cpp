#include "ui/Button.h"
#include "ui/Control.h"
#include "ui/PageIndicator.h"
#include "ui/Slider.h"
#include "ui/Views.h"

#include "UiTestSupport.h"
#include "support/TestNames.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

using Events = std::vector<std::string>;

namespace {

void record(ui::Control* control, Events* events, const std::string& prefix = std::string()) {
  auto add = [events, prefix](const char* name) { return [events, prefix, name] { events->push_back(prefix + name); }; };
  QObject::connect(control, &ui::Control::touchDown, add("down"));
  QObject::connect(control, &ui::Control::touchDragInside, add("dragInside"));
  QObject::connect(control, &ui::Control::touchDragOutside, add("dragOutside"));
  QObject::connect(control, &ui::Control::touchUpInside, add("upInside"));
  QObject::connect(control, &ui::Control::touchUpOutside, add("upOutside"));
  QObject::connect(control, &ui::Control::touchCancel, add("cancel"));
  QObject::connect(control, &ui::Control::valueChanged, add("valueChanged"));
}

// A 200 × 200 host with a control at (20, 20, 60, 40).
class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(200, 200);
    control = new ui::Control(QRect(20, 20, 60, 40), &host);
    record(control, &events);
    host.show();
  }

  QWidget host;
  ui::Control* control = nullptr;
  Events events;
};

}  // namespace

struct TouchCase {
  const char* what;
  std::vector<std::pair<char, QPoint>> steps;  // 'p'ress, 'm'ove, 'r'elease, in host coordinates
  Events expected;
};

// Test names and failure messages show what the finger does, not the row's bytes.
void PrintTo(const TouchCase& c, std::ostream* os) { *os << c.what; }

class ControlEventOrder : public ControlTest, public ::testing::WithParamInterface<TouchCase> {};

TEST_P(ControlEventOrder, FollowsTheFinger) {
  for (const auto& [kind, pos] : GetParam().steps) {
    if (kind == 'p') uitest::press(&host, pos);
    if (kind == 'm') uitest::move(&host, pos);
    if (kind == 'r') uitest::release(&host, pos);
  }
  EXPECT_EQ(events, GetParam().expected) << GetParam().what;
  EXPECT_FALSE(control->isHighlighted());
  EXPECT_FALSE(control->isTracking());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ControlEventOrder,
    ::testing::Values(
        TouchCase{"tap", {{'p', {30, 30}}, {'r', {30, 30}}}, {"down", "upInside"}},
        TouchCase{"lift outside", {{'p', {30, 30}}, {'m', {150, 150}}, {'r', {150, 150}}}, {"down", "dragOutside", "upOutside"}},
        TouchCase{"out and back in",
                  {{'p', {30, 30}}, {'m', {150, 150}}, {'m', {50, 40}}, {'r', {50, 40}}},
                  {"down", "dragOutside", "dragInside", "upInside"}},
        TouchCase{"lift just past the edge", {{'p', {79, 59}}, {'r', {80, 60}}}, {"down", "dragOutside", "upOutside"}},
        TouchCase{"press beside it", {{'p', {150, 150}}, {'r', {30, 30}}}, {}}),
    [](const auto& info) { return tbtest::testNameFrom(info.param.what); });

TEST_F(ControlTest, HighlightedOnlyWhileTheFingerIsDownInside) {
  uitest::press(&host, {30, 30});
  EXPECT_TRUE(control->isHighlighted());
  EXPECT_TRUE(control->state() & ui::Control::Highlighted);
  uitest::move(&host, {150, 150});
  EXPECT_FALSE(control->isHighlighted());
  uitest::move(&host, {40, 40});
  EXPECT_TRUE(control->isHighlighted());
  uitest::release(&host, {40, 40});
  EXPECT_FALSE(control->isHighlighted());
}

TEST_F(ControlTest, ADisabledControlHearsNothing) {
  control->setEnabled(false);
  uitest::tap(&host, {30, 30});
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(control->state() & ui::Control::Disabled);
}

TEST_F(ControlTest, AControlThatTakesNoTouchesLetsThemThroughToTheOneBelow) {
  Events below;
  auto* under = new ui::Control(QRect(0, 0, 200, 200), &host);
  under->lower();
  under->show();
  record(under, &below);
  control->setUserInteractionEnabled(false);
  uitest::tap(&host, {30, 30});
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(below, (Events{"down", "upInside"}));
}

TEST_F(ControlTest, TagsAndViewWithTag) {
  control->setTag(10002);
  auto* label = new QWidget(&host);
  ui::setTag(label, 3000);
  EXPECT_EQ(control->tag(), 10002);
  EXPECT_EQ(ui::viewWithTag(&host, 10002), control);
  EXPECT_EQ(ui::viewWithTag(&host, 3000), label);
  EXPECT_EQ(ui::viewWithTag(&host, 4000), nullptr);
  EXPECT_EQ(ui::viewWithTag<ui::Control>(&host, 3000), nullptr);  // the wrong kind
}

namespace {

// Records the tracking hooks among the signals.
class HookedControl : public ui::Control {
 public:
  HookedControl(QWidget* parent, Events* events, bool track) : ui::Control(QRect(20, 20, 60, 40), parent), m_events(events), m_track(track) {}

 protected:
  bool beginTracking(const QPointF&) override {
    m_events->push_back("begin");
    return m_track;
  }
  bool continueTracking(const QPointF&) override {
    m_events->push_back("continue");
    return true;
  }
  void endTracking(const QPointF&) override { m_events->push_back("end"); }

 private:
  Events* m_events;
  bool m_track;
};

}  // namespace

TEST(ControlTracking, HooksRunBeforeTheSignalsAndOnlyWhileTracking) {
  for (bool track : {true, false}) {
    QWidget host;
    host.resize(200, 200);
    Events events;
    auto* control = new HookedControl(&host, &events, track);
    record(control, &events);
    host.show();
    uitest::press(&host, {30, 30});
    uitest::move(&host, {40, 30});
    uitest::release(&host, {40, 30});
    const Events expected = track ? Events{"begin", "down", "continue", "dragInside", "end", "upInside"}
                                  : Events{"begin", "down", "dragInside", "upInside"};
    EXPECT_EQ(events, expected) << (track ? "tracking" : "not tracking");
  }
}

// -- Slider -------------------------------------------------------------------------------------

namespace {

class SliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(300, 100);
    slider = new ui::Slider(QRect(10, 10, 223, 31), &host);  // travel 200 with the 23-point thumb
    record(slider, &events);
    host.show();
  }
  QPoint thumbCentre() const { return slider->thumbRect().center().toPoint() + slider->pos(); }

  QWidget host;
  ui::Slider* slider = nullptr;
  Events events;
};

}  // namespace

TEST_F(SliderTest, ANonContinuousSliderReportsOnceWhenTheDragEnds) {
  slider->setContinuous(false);
  const QPoint start = thumbCentre();
  uitest::press(&host, start);
  for (int dx = 20; dx <= 100; dx += 20) uitest::move(&host, start + QPoint(dx, 0));
  EXPECT_NEAR(slider->value(), 0.5, 0.01);  // the thumb follows while dragging
  uitest::release(&host, start + QPoint(100, 0));
  EXPECT_EQ(events, (Events{"down", "dragInside", "dragInside", "dragInside", "dragInside", "dragInside",
                            "valueChanged", "upInside"}));
}

TEST_F(SliderTest, AContinuousSliderReportsEveryMove) {
  const QPoint start = thumbCentre();
  uitest::press(&host, start);
  uitest::move(&host, start + QPoint(40, 0));
  uitest::move(&host, start + QPoint(80, 0));
  uitest::release(&host, start + QPoint(80, 0));
  EXPECT_EQ(std::count(events.begin(), events.end(), "valueChanged"), 2);
  EXPECT_NEAR(slider->value(), 0.4, 0.01);
}

TEST_F(SliderTest, ADragBackToTheStartOrATapBesideTheThumbChangesNothing) {
  slider->setContinuous(false);
  const QPoint start = thumbCentre();
  uitest::press(&host, start);
  uitest::move(&host, start + QPoint(60, 0));
  uitest::move(&host, start);
  uitest::release(&host, start);
  uitest::tap(&host, start + QPoint(150, 0));
  EXPECT_EQ(std::count(events.begin(), events.end(), "valueChanged"), 0);
  EXPECT_EQ(slider->value(), 0.0);
}

TEST_F(SliderTest, SetValueClampsAndStaysSilent) {
  slider->setValue(2.0);
  EXPECT_EQ(slider->value(), 1.0);
  slider->setValue(0.375, true);  // zero durations in tests: already there
  EXPECT_EQ(slider->value(), 0.375);
  slider->setValue(-3);
  EXPECT_EQ(slider->value(), 0.0);
  EXPECT_TRUE(events.empty());
  slider->setMinimumTrackImageName(QStringLiteral("ui_nav_button.png"), 10);
  slider->setThumbImageName(QStringLiteral("ui_hud_panel.png"));
  EXPECT_EQ(slider->minimumTrackImageName(), QStringLiteral("ui_nav_button.png"));
  EXPECT_EQ(slider->thumbImageName(), QStringLiteral("ui_hud_panel.png"));
  EXPECT_EQ(slider->thumbRect().size(), QSizeF(40, 40));
}

// -- Button ------------------------------------------------------------------------------------

TEST(Button, ShowsThePictureOfItsStateAndFallsBackToNormal) {
  QWidget host;
  host.resize(200, 200);
  auto* button = new ui::Button(QRect(10, 10, 80, 40), &host);
  button->setImageName(QStringLiteral("ui_nav_button.png"));
  button->setImageName(QStringLiteral("ui_nav_button_pressed.png"), ui::Control::Highlighted);
  button->setImageName(QStringLiteral("ui_nav_button_done.png"), ui::Control::Selected);
  button->setTitle(QStringLiteral("Go"));
  host.show();

  EXPECT_EQ(button->currentImageName(), QStringLiteral("ui_nav_button.png"));
  uitest::press(&host, {20, 20});
  EXPECT_EQ(button->currentImageName(), QStringLiteral("ui_nav_button_pressed.png"));
  uitest::release(&host, {20, 20});
  button->setSelected(true);
  EXPECT_EQ(button->currentImageName(), QStringLiteral("ui_nav_button_done.png"));
  uitest::press(&host, {20, 20});  // selected and highlighted: the selected picture wins
  EXPECT_EQ(button->currentImageName(), QStringLiteral("ui_nav_button_done.png"));
  uitest::release(&host, {20, 20});
  button->setEnabled(false);  // no disabled picture: the normal one
  button->setSelected(false);
  EXPECT_EQ(button->currentImageName(), QStringLiteral("ui_nav_button.png"));
  EXPECT_EQ(button->currentTitle(), QStringLiteral("Go"));
}

// -- Page indicator ----------------------------------------------------------------------------

struct DotCase {
  const char* name;
  int pages;
  int current;
  int tapX;  // in a 320-point indicator
  int expected;
  bool reported;
};

void PrintTo(const DotCase& c, std::ostream* os) { *os << c.name; }

class PageIndicatorTap : public ::testing::TestWithParam<DotCase> {};

TEST_P(PageIndicatorTap, MovesOnePageTowardsTheTappedSide) {
  const DotCase c = GetParam();
  QWidget host;
  host.resize(320, 40);
  auto* dots = new ui::PageIndicator(QRect(0, 0, 320, 20), &host);
  dots->setNumberOfPages(c.pages);
  dots->setCurrentPage(c.current);
  Events events;
  record(dots, &events);
  host.show();
  uitest::tap(&host, {c.tapX, 10});
  EXPECT_EQ(dots->currentPage(), c.expected);
  EXPECT_EQ(std::count(events.begin(), events.end(), "valueChanged"), c.reported ? 1 : 0);
  if (c.reported) {
    EXPECT_EQ(events.back(), "valueChanged");  // after touch-up, with the page already set
  }
}

INSTANTIATE_TEST_SUITE_P(Dots, PageIndicatorTap,
                         ::testing::Values(DotCase{"tapRightOnTheFirstPage", 3, 0, 300, 1, true},
                                           DotCase{"tapLeftOnTheMiddlePage", 3, 1, 10, 0, true},
                                           DotCase{"tapRightOnTheLastPage", 3, 2, 300, 2, false},
                                           DotCase{"tapLeftOnTheFirstPage", 3, 0, 10, 0, false},
                                           DotCase{"tapOnASinglePage", 1, 0, 300, 0, false},
                                           DotCase{"tapWithNoPages", 0, 0, 300, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PageIndicator, CurrentPageIsClampedToThePages) {
  ui::PageIndicator dots;
  dots.setNumberOfPages(3);
  dots.setCurrentPage(7);
  EXPECT_EQ(dots.currentPage(), 2);
  dots.setCurrentPage(-2);
  EXPECT_EQ(dots.currentPage(), 0);
  dots.setCurrentPage(2);
  dots.setNumberOfPages(2);
  EXPECT_EQ(dots.currentPage(), 1);
}
