#include "ui/Animation.h"
#include "ui/Views.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using ui::Animation;

namespace {

// Restores the duration scale whatever a test sets.
class AnimationTest : public ::testing::Test {
 protected:
  void TearDown() override { Animation::setDurationScale(0.0); }  // for the tests that change it
};

}  // namespace

TEST_F(AnimationTest, ZeroScaleCompletesInsideTheCallThatStartsIt) {
  Animation::setDurationScale(0.0);
  QObject target;
  std::vector<double> steps;
  int finished = -1;
  Animation::run(&target, "x", 5.0, [&](double p) { steps.push_back(p); }, [&](bool f) { finished = f; });
  EXPECT_EQ(steps, std::vector<double>{1.0});
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(Animation::isRunning(&target, "x"));
}

TEST_F(AnimationTest, ANewAnimationOfTheSameKeyInterruptsTheRunningOneButNotOtherKeys) {
  Animation::setDurationScale(1.0);
  QObject target;
  std::vector<std::pair<const char*, bool>> ends;
  Animation::run(&target, "frame", 10.0, {}, [&](bool f) { ends.push_back({"first frame", f}); });
  Animation::run(&target, "alpha", 10.0, {}, [&](bool f) { ends.push_back({"alpha", f}); });
  Animation::run(&target, "frame", 10.0, {}, [&](bool f) { ends.push_back({"second frame", f}); });
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_STREQ(ends[0].first, "first frame");
  EXPECT_FALSE(ends[0].second);
  EXPECT_TRUE(Animation::isRunning(&target, "frame"));
  EXPECT_TRUE(Animation::isRunning(&target, "alpha"));

  Animation::finish(&target, "frame");
  Animation::stop(&target, "alpha");
  ASSERT_EQ(ends.size(), 3u);
  EXPECT_STREQ(ends[1].first, "second frame");
  EXPECT_TRUE(ends[1].second);
  EXPECT_STREQ(ends[2].first, "alpha");
  EXPECT_FALSE(ends[2].second);
}

TEST_F(AnimationTest, FinishRunsTheLastStepAndACompletionMayStartTheNextAnimation) {
  Animation::setDurationScale(1.0);
  QObject target;
  double last = -1;
  bool chained = false;
  Animation::run(&target, "x", 3.0, [&](double p) { last = p; }, [&](bool) {
    Animation::run(&target, "x", 3.0, {}, [&](bool f) { chained = f; });
  });
  Animation::finish(&target, "x");
  EXPECT_EQ(last, 1.0);
  EXPECT_TRUE(Animation::isRunning(&target, "x"));  // the one the completion started
  Animation::finish(&target, "x");
  EXPECT_TRUE(chained);
}

TEST_F(AnimationTest, DestroyingTheTargetStopsItsAnimationsWithoutCallingThem) {
  Animation::setDurationScale(1.0);
  auto target = std::make_unique<QObject>();
  int calls = 0;
  Animation::run(target.get(), "x", 3.0, [&](double) { ++calls; }, [&](bool) { ++calls; });
  target.reset();
  EXPECT_EQ(calls, 0);
}

TEST_F(AnimationTest, WidgetHelpersReachTheirEndValues) {
  Animation::setDurationScale(1.0);
  QWidget widget;
  widget.setGeometry(0, 0, 10, 10);
  Animation::setFrame(&widget, QRect(100, 50, 20, 40), 1.0);
  Animation::fadeTo(&widget, 0.25, 1.0);
  EXPECT_EQ(widget.geometry(), QRect(0, 0, 10, 10));  // nothing moves before the first frame
  Animation::finish(&widget, "frame");
  Animation::finish(&widget, "alpha");
  EXPECT_EQ(widget.geometry(), QRect(100, 50, 20, 40));
  EXPECT_DOUBLE_EQ(ui::alpha(&widget), 0.25);
}

TEST_F(AnimationTest, CurvesStartAtZeroEndAtOneAndEaseOutLeadsEaseIn) {
  for (ui::Curve c : {ui::Curve::Linear, ui::Curve::EaseIn, ui::Curve::EaseOut, ui::Curve::EaseInOut}) {
    EXPECT_DOUBLE_EQ(Animation::ease(c, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(Animation::ease(c, 1.0), 1.0);
  }
  EXPECT_GT(Animation::ease(ui::Curve::EaseOut, 0.3), Animation::ease(ui::Curve::Linear, 0.3));
  EXPECT_LT(Animation::ease(ui::Curve::EaseIn, 0.3), Animation::ease(ui::Curve::Linear, 0.3));
}
