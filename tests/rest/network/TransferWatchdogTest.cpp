// The transfer watchdog measures time on the monotonic clock: a wall clock set back or forward
// (by hand, by a time service) neither holds a stuck transfer longer nor fails a healthy one.
#include "rest/network/TransferWatchdog.h"
#include "support/ManualClockFixture.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using rest::TransferWatchdog;

class TransferWatchdogTest : public tbtest::ManualClockFixture {
 protected:
  // Seconds from the start until `id` expired, and why.
  std::optional<double> expiredAt;
  std::optional<TransferWatchdog::Expiry> why;
  double elapsed = 0;

  TransferWatchdog::Id watch(double timeout, double deadline) {
    return TransferWatchdog::forThisThread().watch(timeout, deadline, [this](TransferWatchdog::Expiry e) {
      expiredAt = elapsed;
      why = e;
    });
  }
  void advance(double seconds) {
    // One second at a time, so the moment of expiry is known to the second.
    for (double s = 0; s < seconds && !expiredAt; s += 1) {
      elapsed += 1;
      clock.advanceBy(1);
    }
  }
  void TearDown() override {
    EXPECT_EQ(TransferWatchdog::forThisThread().count(), 0u);
    tbtest::ManualClockFixture::TearDown();
  }
};

TEST_F(TransferWatchdogTest, WallClockJumpsMoveNoExpiry) {
  for (const int jumpSeconds : {-3600, 86400}) {
    SCOPED_TRACE(jumpSeconds);
    expiredAt.reset();
    elapsed = 0;
    const auto id = watch(60, 0);
    advance(20);
    TransferWatchdog::forThisThread().touch(id);
    clock.setNow(clock.now().addSecs(jumpSeconds));
    advance(200);
    ASSERT_TRUE(expiredAt.has_value());
    EXPECT_EQ(*expiredAt, 80);  // 60 s after the last progress, whichever way the date moved
    EXPECT_EQ(why, TransferWatchdog::Expiry::Inactivity);
  }
}

// Progress keeps the inactivity timeout away, never the deadline.
TEST_F(TransferWatchdogTest, TheDeadlineHoldsWhateverTheProgress) {
  const auto id = watch(60, 120);
  for (int i = 0; i < 200 && !expiredAt; ++i) {
    advance(10);
    if (!expiredAt) TransferWatchdog::forThisThread().touch(id);
  }
  ASSERT_TRUE(expiredAt.has_value());
  EXPECT_EQ(*expiredAt, 120);
  EXPECT_EQ(why, TransferWatchdog::Expiry::Deadline);
}

}  // namespace
