#include "foundation/Timer.h"

#include "support/ManualClockFixture.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using foundation::Timer;

class TimerTest : public tbtest::ManualClockFixture {};

TEST_F(TimerTest, FiresInDueOrderIncludingTimersScheduledByTimers) {
  std::vector<std::string> order;
  std::vector<double> at;
  const auto start = clock.now();
  auto stamp = [&](const std::string& what) {
    order.push_back(what);
    at.push_back(start.msecsTo(clock.now()) / 1000.0);
  };
  Timer chained;
  Timer late = Timer::singleShot(5.0, [&] { stamp("5s"); });
  Timer early = Timer::singleShot(2.0, [&] {
    stamp("2s");
    chained = Timer::singleShot(1.5, [&] { stamp("2s+1.5s"); });  // due at 3.5 s, before "5s"
  });
  Timer tie = Timer::singleShot(2.0, [&] { stamp("2s second"); });  // same due time: scheduling order

  EXPECT_EQ(clock.advanceBy(10.0), 4);
  EXPECT_EQ(order, (std::vector<std::string>{"2s", "2s second", "2s+1.5s", "5s"}));
  EXPECT_EQ(at, (std::vector<double>{2.0, 2.0, 3.5, 5.0}));
  EXPECT_EQ(start.msecsTo(clock.now()), 10000);
}

TEST_F(TimerTest, OneShotBecomesInvalidAfterFiringAndNotBefore) {
  int fired = 0;
  Timer t = Timer::singleShot(2.0, [&] { ++fired; });
  clock.advanceBy(1.999);
  EXPECT_TRUE(t.isValid());
  EXPECT_EQ(fired, 0);
  clock.advanceBy(0.001);
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(t.isValid());
  clock.advanceBy(100);
  EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, RepeatingTimerKeepsItsPeriodUntilInvalidatedFromItsCallback) {
  int fired = 0;
  Timer t = Timer::scheduled(0.3, true, [&](Timer& self) {
    if (++fired == 4) self.invalidate();
  });
  clock.advanceBy(0.9);
  EXPECT_EQ(fired, 3);
  clock.advanceBy(10);
  EXPECT_EQ(fired, 4);
  EXPECT_FALSE(t.isValid());
  EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(TimerTest, DestroyingOrReplacingATimerCancelsIt) {
  int fired = 0;
  {
    Timer t = Timer::singleShot(1.0, [&] { ++fired; });
  }
  Timer replaced = Timer::singleShot(1.0, [&] { fired += 10; });
  replaced.start(2.0, false, [&](Timer&) { fired += 100; });
  clock.advanceBy(5);
  EXPECT_EQ(fired, 100);
  EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(TimerTest, FireRunsNowAndInvalidatesAOneShot) {
  int fired = 0;
  Timer t = Timer::singleShot(5.0, [&] { ++fired; });
  t.fire();
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(t.isValid());
  clock.advanceBy(10);
  EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, NowAndTimeZoneComeFromTheClock) {
  const QTimeZone paris("Europe/Paris");
  clock.setTimeZone(paris);
  clock.setNow(QDateTime(QDate(2013, 3, 3), QTime(0, 30), paris));
  EXPECT_EQ(foundation::scheduler().localNow().date(), QDate(2013, 3, 3));
  EXPECT_EQ(foundation::scheduler().now().date(), QDate(2013, 3, 2));  // 23:30 UTC the day before
}

TEST(QtSchedulerTimer, FiresThroughTheEventLoop) {
  int fired = 0;
  Timer repeating = Timer::scheduled(0.01, true, [&](Timer& self) {
    if (++fired == 3) self.invalidate();
  });
  EXPECT_TRUE(tbtest::waitUntil([&] { return fired == 3; }, 3000));
  tbtest::processEventsFor(50);
  EXPECT_EQ(fired, 3);
}

TEST(TimerLifetime, ATimerOutlivingItsSchedulerIsHarmless) {
  Timer survivor;
  int fired = 0;
  {
    foundation::ManualClock clock;
    foundation::setScheduler(&clock);
    survivor = Timer::scheduled(1.0, true, [&](Timer&) { ++fired; });
    foundation::setScheduler(nullptr);
  }
  EXPECT_TRUE(survivor.isValid());
  survivor.invalidate();  // must not reach the destroyed clock
  EXPECT_FALSE(survivor.isValid());
  EXPECT_EQ(fired, 0);
}
