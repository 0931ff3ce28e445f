#pragma once
// Installs a manual clock as the scheduler for the duration of a test.
#include "foundation/ManualClock.h"

#include <gtest/gtest.h>

namespace tbtest {

class ManualClockFixture : public ::testing::Test {
 protected:
  void SetUp() override { foundation::setScheduler(&clock); }
  void TearDown() override { foundation::setScheduler(nullptr); }

  foundation::ManualClock clock;
};

}  // namespace tbtest
