// Each device screen opened from the menu of the real app, against the simulated home: a touch
// changes the home, a refused command (a failure of the service, the gateway off line) brings the
// control back with exactly one alert, and a pulse device falls back by itself.
#include "DeviceTestSupport.h"

#include "../support/ScreenHarness.h"

#include "backend/BENotifications.h"
#include "controls/switches/CustomAutoSwitch.h"
#include "ui/NavigationController.h"

namespace screentest {
namespace {

using namespace devicestest;
using DeviceScreensEndToEndTest = ScreenTest;

TEST_F(DeviceScreensEndToEndTest, ACommandReachesTheHomeAndARefusedOneBringsTheControlBack) {
  struct Case {
    const char* screenName;
    QString serial;
    QString touched, homeStatus, shownThen;  // a touch that the home takes
    QString refusedTouch;                    // then one that the service refuses
  };
  const Case cases[] = {
      {"MyLightingController", "LGT-CUISINE", "toggle", "ON", "on", "toggle"},
      {"MyShuttersController", "OPN-VOLET-CHAMBRE", "toggle", "OPEN", "on", "toggle"},
      {"MyHeatingController", "HTG-THERMOSTAT", "3", "COMFORT", "3", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screenName);
    auto* screen = open<devicelist::DeviceScreen>(c.screenName);
    ASSERT_NE(screen, nullptr);
    touch(screen, c.serial, c.touched);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(device(c.serial)["status"].toString(), c.homeStatus);
    EXPECT_EQ(shown(screen, c.serial), c.shownThen);
    EXPECT_EQ(alertCount(), 0);

    for (const bool gatewayOff : {false, true}) {
      if (gatewayOff) {
        gatewayOffline(true);
      } else {
        fail("/device/status", "PUT");
      }
      touch(screen, c.serial, c.refusedTouch);
      ASSERT_TRUE(waitIdle());
      EXPECT_EQ(shown(screen, c.serial), c.shownThen) << (gatewayOff ? "gateway off line" : "service failure");
      EXPECT_EQ(device(c.serial)["status"].toString(), c.homeStatus);
      EXPECT_EQ(alertCount(), 1);
      dismissAlert();
      gatewayOffline(false);
    }
    app->navigationController()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(waitIdle());
  }
}

TEST_F(DeviceScreensEndToEndTest, APulseIsOneToggleAfterWhichTheSwitchFallsBackByItself) {
  auto* screen = open<devicelist::DeviceScreen>("MyShuttersController");
  ASSERT_NE(screen, nullptr);
  auto* pulse = qobject_cast<CustomAutoSwitch*>(controlOf(screen, "OPN-PORTAIL", "toggle"));
  ASSERT_NE(pulse, nullptr);
  int commands = 0;
  foundation::Observations counter;
  for (const char* name : {kSuccessDevicePutStatus, kErrorDevicePutStatus})
    counter.add(name, [&](const foundation::Notification&) { ++commands; });

  touch(screen, "OPN-PORTAIL", "toggle");
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(device("OPN-PORTAIL")["status"].toString(), "ON");
  uitest::tap(pulse);  // ignored while it is on
  advance(2.9);
  EXPECT_TRUE(pulse->isOn());
  advance(0.2);
  EXPECT_FALSE(pulse->isOn());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(commands, 1);

  // A refused pulse frees the switch at once.
  gatewayOffline(true);
  touch(screen, "OPN-PORTAIL", "toggle");
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(commands, 2);
  EXPECT_FALSE(pulse->isOn());
  EXPECT_TRUE(pulse->isUserInteractionEnabled());
  EXPECT_EQ(alertCount(), 1);
}

}  // namespace
}  // namespace screentest
