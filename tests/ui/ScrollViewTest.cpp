#include "ui/Button.h"
#include "ui/ScrollMath.h"
#include "ui/ScrollView.h"

#include "UiTestSupport.h"
#include "support/TestNames.h"
#include "support/ManualClockFixture.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

using Events = std::vector<std::string>;

namespace {

// Records the delegate calls; runs of didScroll count as one entry.
struct Recorder : ui::ScrollViewDelegate {
  Events events;
  std::vector<QPointF> offsets;
  void add(const std::string& e) {
    if (e == "didScroll" && !events.empty() && events.back() == e) return;
    events.push_back(e);
  }
  void scrollViewDidScroll(ui::ScrollView* s) override {
    add("didScroll");
    offsets.push_back(s->contentOffset());
  }
  void scrollViewWillBeginDragging(ui::ScrollView*) override { add("willBeginDragging"); }
  void scrollViewDidEndDraggingWillDecelerate(ui::ScrollView*, bool d) override {
    add(d ? "didEndDragging(decelerate)" : "didEndDragging");
  }
  void scrollViewWillBeginDecelerating(ui::ScrollView*) override { add("willBeginDecelerating"); }
  void scrollViewDidEndDecelerating(ui::ScrollView*) override { add("didEndDecelerating"); }
  void scrollViewDidEndScrollingAnimation(ui::ScrollView*) override { add("didEndScrollingAnimation"); }
};

// A 320 × 460 vertical scroll view with 1000 points of content.
class ScrollViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(320, 460);
    scroll = new ui::ScrollView(QRect(0, 0, 320, 460), &host);
    scroll->setContentSize(QSize(320, 1000));
    scroll->setDelegate(&recorder);
    host.show();
  }

  QWidget host;
  ui::ScrollView* scroll = nullptr;
  Recorder recorder;
};

}  // namespace

TEST_F(ScrollViewTest, TheContentFollowsTheFingerAndStaysWhereASlowDragEnds) {
  uitest::drag(&host, {160, 400}, {160, 200});
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 200));
  EXPECT_EQ(scroll->contentView()->pos(), QPoint(0, -200));
  EXPECT_EQ(recorder.events, (Events{"willBeginDragging", "didScroll", "didEndDragging"}));
  EXPECT_FALSE(scroll->isDragging());
  EXPECT_FALSE(scroll->isDecelerating());
}

TEST_F(ScrollViewTest, PullingPastTheTopGoesNegativeOnARubberBandAndSpringsBack) {
  uitest::press(&host, {160, 100}, 200);
  for (int y = 140; y <= 300; y += 40) uitest::move(&host, {160, y}, 200);
  const double pulled = scroll->contentOffset().y();
  EXPECT_NEAR(pulled, -ui::scrollmath::rubberBand(200, 460), 0.01);
  EXPECT_LT(pulled, 0);
  EXPECT_GT(pulled, -200);  // the content lags the finger
  uitest::release(&host, {160, 300}, 200);
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 0));
  EXPECT_EQ(recorder.events, (Events{"willBeginDragging", "didScroll", "didEndDragging(decelerate)",
                                     "willBeginDecelerating", "didScroll", "didEndDecelerating"}));
  ASSERT_FALSE(recorder.offsets.empty());
  EXPECT_EQ(recorder.offsets.back(), QPointF(0, 0));
}

TEST_F(ScrollViewTest, PushingPastTheBottomSpringsBackToTheLastOffset) {
  scroll->setContentOffset(QPointF(0, 500));
  uitest::drag(&host, {160, 400}, {160, 200}, 5, 200);
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 540));
}

TEST_F(ScrollViewTest, WithoutBouncingTheOffsetStopsAtTheEdges) {
  scroll->setBounces(false);
  uitest::press(&host, {160, 100}, 200);
  uitest::move(&host, {160, 300}, 200);
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 0));
  uitest::release(&host, {160, 300}, 200);
  EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "willBeginDecelerating"), 0);
}

TEST_F(ScrollViewTest, AQuickFlickCoastsFurtherThanTheFingerWent) {
  uitest::drag(&host, {160, 400}, {160, 300}, 5, 10);  // 100 points in 50 ms
  EXPECT_GT(scroll->contentOffset().y(), 100);
  EXPECT_LE(scroll->contentOffset().y(), 540);
  ASSERT_FALSE(recorder.events.empty());
  EXPECT_EQ(recorder.events.back(), "didEndDecelerating");
}

TEST_F(ScrollViewTest, ContentNoLargerThanTheBoundsDoesNotScrollUnlessAskedToBounce) {
  scroll->setContentSize(QSize(320, 300));
  uitest::drag(&host, {160, 100}, {160, 300}, 5, 200);
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 0));
  EXPECT_TRUE(recorder.events.empty());

  scroll->setAlwaysBounceVertical(true);
  uitest::press(&host, {160, 100}, 200);
  uitest::move(&host, {160, 300}, 200);
  EXPECT_LT(scroll->contentOffset().y(), 0);
  uitest::release(&host, {160, 300}, 200);
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 0));
}

TEST_F(ScrollViewTest, SetContentOffsetTellsTheDelegateAndTheAnimatedOneAlsoItsEnd) {
  scroll->setContentOffset(QPointF(0, 120));
  EXPECT_EQ(recorder.events, (Events{"didScroll"}));
  scroll->setContentOffset(QPointF(0, 120));  // no change, no call
  EXPECT_EQ(recorder.events.size(), 1u);
  scroll->setContentOffset(QPointF(0, 300), true);
  EXPECT_EQ(recorder.events, (Events{"didScroll", "didEndScrollingAnimation"}));
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 300));
}

TEST_F(ScrollViewTest, ScrollRectToVisibleMovesTheLeastAndStaysInsideTheContent) {
  scroll->scrollRectToVisible(QRectF(0, 600, 320, 100), false);
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 240));  // bottom of the rect at the bottom edge
  scroll->scrollRectToVisible(QRectF(0, 300, 320, 50), false);
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 240));  // already visible
  scroll->scrollRectToVisible(QRectF(0, 100, 320, 50), false);
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 100));
  scroll->scrollRectToVisible(QRectF(0, 990, 320, 400), false);
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 540));
}

TEST_F(ScrollViewTest, TheWheelScrollsWithinTheContent) {
  auto wheel = [&](int notches) {
    QWheelEvent event(QPointF(160, 200), scroll->mapToGlobal(QPointF(160, 200)), QPoint(), QPoint(0, -120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(scroll, &event);
    return event.isAccepted();
  };
  EXPECT_TRUE(wheel(3));
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 120));
  EXPECT_TRUE(wheel(100));
  EXPECT_EQ(scroll->contentOffset(), QPointF(0, 540));
  EXPECT_FALSE(wheel(1));  // at the end: left to an enclosing scroll view
}

// -- Paging ------------------------------------------------------------------------------------

struct PagingCase {
  const char* what;
  int dx;        // finger movement, negative = to the left (towards the next page)
  int msPerStep;
  int page;
};

void PrintTo(const PagingCase& c, std::ostream* os) { *os << c.what; }

class Paging : public ::testing::TestWithParam<PagingCase> {};

TEST_P(Paging, ADragSettlesOnAWholePage) {
  const PagingCase c = GetParam();
  QWidget host;  // wide enough for the finger to leave the pager on either side
  host.resize(720, 200);
  auto* pages = new ui::ScrollView(QRect(200, 0, 320, 200), &host);
  pages->setPagingEnabled(true);
  pages->setContentSize(QSize(960, 200));
  Recorder recorder;
  host.show();
  pages->setContentOffset(QPointF(c.dx < 0 ? 0 : 320, 0));
  pages->setDelegate(&recorder);
  const int startX = c.dx < 0 ? 300 : 20;
  uitest::drag(pages, {startX, 100}, {startX + c.dx, 100}, 5, c.msPerStep);
  EXPECT_EQ(pages->contentOffset(), QPointF(c.page * 320.0, 0)) << c.what;
  const bool settles = std::abs(c.dx) % 320 != 0;
  ASSERT_FALSE(recorder.events.empty()) << c.what;  // back() of nothing would crash the whole program
  EXPECT_EQ(recorder.events.back(), settles ? "didEndDecelerating" : "didEndDragging") << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    ThreePages, Paging,
    ::testing::Values(PagingCase{"just under half a page", -159, 200, 0}, PagingCase{"just over half a page", -161, 200, 1},
                      PagingCase{"a whole page", -320, 200, 1}, PagingCase{"a quick flick", -40, 10, 1},
                      PagingCase{"a slow short drag", -40, 200, 0},
                      PagingCase{"back, over half", 170, 200, 0}, PagingCase{"back, under half", 150, 200, 1},
                      PagingCase{"past the first page", 250, 200, 0}),
    [](const auto& info) { return tbtest::testNameFrom(info.param.what); });

TEST(PagingDrags, TheIndicatorArithmeticFollowsTheDragAndOnlyTheSettleIsADeceleration) {
  QWidget host;
  host.resize(720, 200);
  auto* pages = new ui::ScrollView(QRect(200, 0, 320, 200), &host);
  pages->setPagingEnabled(true);
  pages->setContentSize(QSize(960, 200));
  Recorder recorder;
  pages->setDelegate(&recorder);
  host.show();
  uitest::press(pages, {300, 100}, 200);
  uitest::move(pages, {141, 100}, 200);  // 159 points
  EXPECT_EQ(ui::scrollmath::pageForOffset(pages->contentOffset().x(), 320), 0);
  uitest::move(pages, {139, 100}, 200);  // 161 points
  EXPECT_EQ(ui::scrollmath::pageForOffset(pages->contentOffset().x(), 320), 1);
  uitest::release(pages, {139, 100}, 200);
  EXPECT_EQ(recorder.events, (Events{"willBeginDragging", "didScroll", "didEndDragging(decelerate)",
                                     "willBeginDecelerating", "didScroll", "didEndDecelerating"}));
  EXPECT_EQ(pages->contentOffset(), QPointF(320, 0));
}

// -- Nesting and controls ------------------------------------------------------------------------

namespace {

// A horizontal pager of three 320-point pages; page 0 holds a vertical list with a button.
class NestedScrollTest : public tbtest::ManualClockFixture {
 protected:
  void SetUp() override {
    tbtest::ManualClockFixture::SetUp();
    host.resize(320, 400);
    pager = new ui::ScrollView(QRect(0, 0, 320, 400), &host);
    pager->setPagingEnabled(true);
    pager->setContentSize(QSize(960, 400));
    list = new ui::ScrollView(QRect(0, 0, 320, 400), pager->contentView());
    list->setContentSize(QSize(320, 1200));
    button = new ui::Button(QRect(100, 100, 120, 60), list->contentView());
    for (auto [signal, name] : {std::pair{&ui::Control::touchDown, "down"}, std::pair{&ui::Control::touchUpInside, "upInside"},
                                std::pair{&ui::Control::touchUpOutside, "upOutside"}}) {
      QObject::connect(button, signal, [this, name = std::string(name)] { events.push_back(name); });
    }
    host.show();
  }

  QWidget host;
  ui::ScrollView* pager = nullptr;
  ui::ScrollView* list = nullptr;
  ui::Button* button = nullptr;
  Events events;
};

}  // namespace

TEST_F(NestedScrollTest, AVerticalDragMovesTheListAndAHorizontalOneThePager) {
  uitest::drag(&host, {50, 300}, {50, 100}, 5, 200);
  EXPECT_EQ(list->contentOffset(), QPointF(0, 200));
  EXPECT_EQ(pager->contentOffset(), QPointF(0, 0));

  uitest::drag(&host, {300, 300}, {100, 310}, 5, 200);
  EXPECT_EQ(pager->contentOffset(), QPointF(320, 0));
  EXPECT_EQ(list->contentOffset(), QPointF(0, 200));
}

TEST_F(NestedScrollTest, ATapOnAButtonInsideAScrollViewStillReachesIt) {
  uitest::tap(&host, {150, 120});
  EXPECT_EQ(events, (Events{"down", "upInside"}));
}

TEST_F(NestedScrollTest, AFingerThatMovesBeforeTheButtonTakesItScrollsInstead) {
  uitest::drag(&host, {150, 150}, {150, 50}, 5, 200);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(list->contentOffset(), QPointF(0, 100));
  uitest::drag(&host, {210, 20}, {10, 20}, 5, 200);  // sideways, starting on the button (now at y 0..60)
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(pager->contentOffset(), QPointF(320, 0));
  EXPECT_EQ(list->contentOffset(), QPointF(0, 100));
}

TEST_F(NestedScrollTest, AButtonHeldLongEnoughKeepsTheTouchEvenWhenTheFingerMoves) {
  uitest::press(&host, {150, 120});
  EXPECT_TRUE(events.empty());  // the list may still want it
  clock.advanceBy(0.2);
  EXPECT_EQ(events, (Events{"down"}));
  uitest::move(&host, {150, 300});
  uitest::release(&host, {150, 300});
  EXPECT_EQ(events, (Events{"down", "upOutside"}));
  EXPECT_EQ(list->contentOffset(), QPointF(0, 0));
}
