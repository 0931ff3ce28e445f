#include "backend/BEStatusCodeManager.h"
#include "foundation/ManualClock.h"

#include <gtest/gtest.h>

#include <string>

TEST(StatusCodeDispatch, OneNotificationPerFailureClass) {
  struct Case {
    int code;
    const char* expected;  // nullptr: nothing is posted
  };
  const Case cases[] = {
      {620, "620_PRIVACY_MODE"},  {615, "615_NOT_ENOUGH_CREDIT"}, {600, "600_GATEWAY_OFF"},
      {601, "6xxvyrError"},       {700, "6xxvyrError"},           {999, "6xxvyrError"},
      {400, "400BadRequest"},     {401, "401Unauthorized"},       {403, "403Forbidden"},
      {404, "404NotFound"},       {405, "405MethodNotAllowed"},   {415, "415UnsupportedMediaType"},
      {402, "4xxCustomerError"},  {499, "4xxCustomerError"},      {410, "4xxCustomerError"},
      {500, "5xxServerError"},    {503, "5xxServerError"},        {599, "5xxServerError"},
      {300, "3xxRedirection"},    {302, "3xxRedirection"},        {399, "3xxRedirection"},
      {200, nullptr},             {299, nullptr},                 {100, nullptr},
      {0, nullptr},               {-1, nullptr},
  };
  for (const Case& c : cases) {
    const char* name = BEStatusCodeManager::notificationNameForStatusCode(c.code);
    EXPECT_EQ(name ? std::string(name) : std::string("(none)"), c.expected ? std::string(c.expected) : "(none)")
        << "status " << c.code;
  }
}

// A fault that lasts raises its class's alert once for what the app reads; a user's own command
// always says why it failed.
TEST(StatusCodeDispatch, ALastingFaultAlertsOncePerClassForBackgroundRequests) {
  foundation::ManualClock clock;
  foundation::setScheduler(&clock);
  BEStatusCodeManager::resetFailures();
  EXPECT_TRUE(BEStatusCodeManager::alertsNow(503, true));
  clock.advanceBy(30);
  EXPECT_FALSE(BEStatusCodeManager::alertsNow(503, true)) << "the same class, 30 s later";
  EXPECT_TRUE(BEStatusCodeManager::alertsNow(600, true)) << "another class";
  EXPECT_TRUE(BEStatusCodeManager::alertsNow(500, false)) << "a user's command";
  EXPECT_TRUE(BEStatusCodeManager::alertsNow(403, true));
  EXPECT_TRUE(BEStatusCodeManager::alertsNow(403, true)) << "every lost session leads to a sign-in again";
  clock.advanceBy(BEStatusCodeManager::kQuietSeconds - 1);
  EXPECT_FALSE(BEStatusCodeManager::alertsNow(502, true)) << "each failure extends the quiet";
  clock.advanceBy(BEStatusCodeManager::kQuietSeconds + 1);
  EXPECT_FALSE(BEStatusCodeManager::alertsNow(503, true)) << "nothing answered right since: the fault lasts";
  BEStatusCodeManager::serviceAnswered();
  EXPECT_FALSE(BEStatusCodeManager::alertsNow(503, true)) << "a flicker right after an answer";
  BEStatusCodeManager::serviceAnswered();
  clock.advanceBy(BEStatusCodeManager::kQuietSeconds + 1);
  EXPECT_TRUE(BEStatusCodeManager::alertsNow(503, true)) << "a new fault after a quiet while";
  BEStatusCodeManager::resetFailures();
  foundation::setScheduler(nullptr);
}
