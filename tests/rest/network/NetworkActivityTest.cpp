#include "rest/network/NetworkActivity.h"
#include "support/server/TsanDefaults.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct RecordingIndicator : rest::NetworkActivityIndicator {
  std::vector<bool> shown;
  void setVisible(bool visible) override { shown.push_back(visible); }
};

class NetworkActivityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rest::resetNetworkActivity();
    rest::setNetworkActivityIndicator(&indicator);
    indicator.shown.clear();
  }
  void TearDown() override {
    rest::setNetworkActivityIndicator(nullptr);
    rest::resetNetworkActivity();
  }
  RecordingIndicator indicator;
};

TEST_F(NetworkActivityTest, IndicatorShowsExactlyWhileCountIsPositive) {
  rest::pushNetworkActivity();
  rest::pushNetworkActivity();
  EXPECT_EQ(rest::networkActivityCount(), 2);
  rest::popNetworkActivity();
  rest::popNetworkActivity();
  EXPECT_EQ(rest::networkActivityCount(), 0);
  EXPECT_EQ(indicator.shown, (std::vector<bool>{true, true, true, false}));
  rest::pushNetworkActivity();
  rest::resetNetworkActivity();
  EXPECT_EQ(rest::networkActivityCount(), 0);
  EXPECT_FALSE(indicator.shown.back());
}

TEST_F(NetworkActivityTest, PopAtZeroStaysAtZeroAndSaysSo) {
  testing::internal::CaptureStderr();
  rest::popNetworkActivity();
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(rest::networkActivityCount(), 0);
  EXPECT_NE(log.find("Unbalanced network activity: count already 0."), std::string::npos) << log;
  rest::pushNetworkActivity();
  EXPECT_EQ(rest::networkActivityCount(), 1);
}

}  // namespace
