#include "ui/ScrollMath.h"

#include "support/TestNames.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <ostream>
#include <sstream>
#include <string>

namespace sm = ui::scrollmath;

TEST(ScrollMath, RubberBandIsShorterThanTheFingerAndNeverReachesTheDimension) {
  EXPECT_EQ(sm::rubberBand(0, 460), 0.0);
  EXPECT_EQ(sm::rubberBand(-5, 460), 0.0);
  double previous = 0;
  for (double overshoot : {10.0, 50.0, 100.0, 400.0, 5000.0}) {
    const double band = sm::rubberBand(overshoot, 460);
    EXPECT_LT(band, overshoot);
    EXPECT_LT(band, 460);
    EXPECT_GT(band, previous);  // pulling further still moves it
    previous = band;
  }
  EXPECT_NEAR(sm::rubberBand(100, 460), 49.13, 0.01);
}

TEST(ScrollMath, DragOffsetFollowsInsideAndStretchesOrStopsOutside) {
  EXPECT_EQ(sm::dragOffset(120, 0, 500, 460, true), 120);
  EXPECT_NEAR(sm::dragOffset(-100, 0, 500, 460, true), -49.13, 0.01);  // pulled down past the top
  EXPECT_NEAR(sm::dragOffset(600, 0, 500, 460, true), 549.13, 0.01);
  EXPECT_EQ(sm::dragOffset(-100, 0, 500, 460, false), 0);
  EXPECT_EQ(sm::dragOffset(600, 0, 500, 460, false), 500);
  EXPECT_EQ(sm::dragOffset(30, 0, -10, 460, false), 0);  // content smaller than the bounds
}

struct PageCase {
  double offset;
  int page;
};

void PrintTo(const PageCase& c, std::ostream* os) { *os << "offset " << c.offset << " is page " << c.page; }

class PageForOffset : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageForOffset, IsThePageWhoseMiddleIsNearest) {
  EXPECT_EQ(sm::pageForOffset(GetParam().offset, 320), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(Width320, PageForOffset,
                         ::testing::Values(PageCase{0, 0}, PageCase{159, 0}, PageCase{159.9, 0}, PageCase{160, 1},
                                           PageCase{161, 1}, PageCase{479, 1}, PageCase{480, 2}, PageCase{640, 2},
                                           PageCase{-100, 0}, PageCase{-160, -0}, PageCase{-161, -1}),
                         [](const auto& info) {
                           // The offset names the row: 159.9 -> "offset159_9", -100 -> "offsetMinus100".
                           std::ostringstream text;
                           text << (info.param.offset < 0 ? "offsetMinus" : "offset") << std::abs(info.param.offset);
                           return tbtest::testNameFrom(text.str().c_str());
                         });

struct SettleCase {
  const char* what;
  double offset;
  double velocity;
  int startPage;
  int page;
};

void PrintTo(const SettleCase& c, std::ostream* os) { *os << c.what; }

class SettlePage : public ::testing::TestWithParam<SettleCase> {};

TEST_P(SettlePage, LandsOnTheExpectedPage) {
  const SettleCase c = GetParam();
  EXPECT_EQ(sm::settlePage(c.offset, c.velocity, c.startPage, 3, 320), c.page) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    ThreePages, SettlePage,
    ::testing::Values(SettleCase{"slow, just under half a page", 159, 0, 0, 0},
                      SettleCase{"slow, just over half a page", 161, 0, 0, 1},
                      SettleCase{"slow, back under half", 480, 0, 2, 2},
                      SettleCase{"flick forward a little", 40, 800, 0, 1},
                      SettleCase{"flick backward a little", 600, -800, 2, 1},
                      SettleCase{"flick too slow to count", 40, 250, 0, 0},
                      SettleCase{"flick past the last page", 660, 900, 2, 2},
                      SettleCase{"flick before the first page", -40, -900, 0, 0},
                      SettleCase{"slow drag over two pages", 650, 0, 0, 2},
                      SettleCase{"flick against a drag that crossed", 200, -400, 0, 0},
                      SettleCase{"rubber band past the end", 720, 0, 2, 2}),
    [](const auto& info) { return tbtest::testNameFrom(info.param.what); });

TEST(ScrollMath, CoastingNeedsSpeedAndGoesFurtherTheFasterItIs) {
  EXPECT_EQ(sm::coastOffset(100, 50), 100);
  EXPECT_GT(sm::coastOffset(100, 1000), sm::coastOffset(100, 500));
  EXPECT_LT(sm::coastOffset(100, -1000), 100);
  EXPECT_GE(sm::coastDuration(0), 0.3);
  EXPECT_LE(sm::coastDuration(1e9), 1.6);
}
