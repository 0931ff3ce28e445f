#include "foundation/NotificationCenter.h"
#include "rest/network/PlatformReachabilitySource.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/RestReachabilityObserver.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

namespace {

using namespace rest;

struct FlagCase {
  const char* name;
  bool localWifi;
  quint32 flags;
  RestReachabilityNetworkStatus status;
};

// Test names, not bytes, in the listings.
void PrintTo(const FlagCase& c, std::ostream* os) { *os << c.name; }

class NetworkStatusTable : public ::testing::TestWithParam<FlagCase> {};

TEST_P(NetworkStatusTable, DerivesTheStatusFromTheFlags) {
  const FlagCase& c = GetParam();
  auto source = std::make_shared<ManualReachabilitySource>();
  auto observer = RestReachabilityObserver::observerWithSource(c.localWifi ? "169.254.0.0" : "0.0.0.0", source);
  ASSERT_TRUE(observer);
  EXPECT_EQ(observer->networkStatus(), RestReachabilityIndeterminate);
  source->setFlags(c.flags);
  EXPECT_EQ(networkStatusName(observer->networkStatus()), networkStatusName(c.status));
  EXPECT_EQ(observer->isNetworkReachable(), c.status != RestReachabilityNotReachable);
  EXPECT_EQ(observer->isReachableViaWWAN(), c.status == RestReachabilityReachableViaWWAN);
  EXPECT_EQ(observer->isReachableViaWiFi(), c.status == RestReachabilityReachableViaWiFi);
}

constexpr quint32 R = kRestReachabilityFlagReachable;
INSTANTIATE_TEST_SUITE_P(
    Flags, NetworkStatusTable,
    ::testing::Values(
        FlagCase{"nothing", false, 0, RestReachabilityNotReachable},
        FlagCase{"reachable", false, R, RestReachabilityReachableViaWiFi},
        FlagCase{"cellular", false, R | kRestReachabilityFlagIsWWAN, RestReachabilityReachableViaWWAN},
        FlagCase{"cellularNotReachable", false, kRestReachabilityFlagIsWWAN, RestReachabilityNotReachable},
        FlagCase{"connectionRequired", false, R | kRestReachabilityFlagConnectionRequired, RestReachabilityNotReachable},
        FlagCase{"onTraffic", false, R | kRestReachabilityFlagConnectionRequired | kRestReachabilityFlagConnectionOnTraffic,
                 RestReachabilityReachableViaWiFi},
        FlagCase{"onDemandNeedsUser", false,
                 R | kRestReachabilityFlagConnectionRequired | kRestReachabilityFlagConnectionOnDemand |
                     kRestReachabilityFlagInterventionRequired,
                 RestReachabilityNotReachable},
        FlagCase{"wifiDirect", true, R | kRestReachabilityFlagIsDirect, RestReachabilityReachableViaWiFi},
        FlagCase{"wifiNotDirect", true, R, RestReachabilityNotReachable}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RestReachabilityObserver, PostsDeterminedOnceAndChangedEachTime) {
  auto source = std::make_shared<ManualReachabilitySource>();
  auto observer = RestReachabilityObserver::observerWithSource("0.0.0.0", source);
  std::vector<std::pair<std::string, quint32>> heard;
  auto& center = foundation::NotificationCenter::defaultCenter();
  auto record = [&](const foundation::Notification& n) {
    heard.emplace_back(n.name, *n.info<quint32>(RestReachabilityFlagsUserInfoKey));
  };
  auto a = center.addObserver(RestReachabilityWasDeterminedNotification, record, observer.get());
  auto b = center.addObserver(RestReachabilityDidChangeNotification, record, observer.get());
  EXPECT_FALSE(observer->isReachabilityDetermined());
  source->setFlags(0);
  source->setFlags(R);
  EXPECT_TRUE(observer->isReachabilityDetermined());
  const std::vector<std::pair<std::string, quint32>> expected{{RestReachabilityWasDeterminedNotification, 0},
                                                              {RestReachabilityDidChangeNotification, 0},
                                                              {RestReachabilityDidChangeNotification, R}};
  EXPECT_EQ(heard, expected);
}

TEST(RestReachabilityObserverDeath, AskingBeforeDeterminationStops) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto observer = RestReachabilityObserver::observerWithSource("0.0.0.0", std::make_shared<ManualReachabilitySource>());
  EXPECT_DEATH(observer->isNetworkReachable(), "Cannot inspect reachability state: no reachabilityFlags available");
}

TEST(RestReachabilityObserver, NoSourceMeansNoObserver) {
  EXPECT_EQ(RestReachabilityObserver::observerWithSource("0.0.0.0", nullptr), nullptr);
}

TEST(RestReachabilityObserver, HostFactoriesNameTheirTarget) {
  RestReachabilityObserver::setSourceFactory(
      [](const QString&, const QString&) { return std::make_shared<ManualReachabilitySource>(); });
  EXPECT_EQ(RestReachabilityObserver::reachabilityObserverForInternet()->host(), "0.0.0.0");
  EXPECT_TRUE(RestReachabilityObserver::reachabilityObserverForLocalWifi()->isMonitoringLocalWiFi());
  EXPECT_EQ(RestReachabilityObserver::reachabilityObserverForHost("10.1.2.3")->host(), "10.1.2.3");
  EXPECT_EQ(RestReachabilityObserver::reachabilityObserverForHost("example.org")->host(), "example.org");
  RestReachabilityObserver::setSourceFactory({});
}

TEST(PlatformReachability, ServiceOnThisMachineIsAlwaysReachable) {
  const quint32 flags = PlatformReachabilitySource::currentFlags("0.0.0.0", "127.0.0.1");
  EXPECT_TRUE(flags & kRestReachabilityFlagReachable);
  EXPECT_TRUE(flags & kRestReachabilityFlagIsLocalAddress);
  EXPECT_TRUE(PlatformReachabilitySource::isLoopbackHost("localhost"));
  EXPECT_TRUE(PlatformReachabilitySource::isLoopbackHost("::1"));
  EXPECT_FALSE(PlatformReachabilitySource::isLoopbackHost("10.0.0.1"));

  // The real source answers asynchronously, and a loopback service is reachable.
  auto observer = RestReachabilityObserver::reachabilityObserverForInternet("127.0.0.1");
  EXPECT_FALSE(observer->isReachabilityDetermined());
  ASSERT_TRUE(tbtest::waitUntil([&] { return observer->isReachabilityDetermined(); }));
  EXPECT_TRUE(observer->isNetworkReachable());
}

}  // namespace
