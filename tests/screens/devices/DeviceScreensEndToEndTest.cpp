// Each device screen opened from the menu of the real app, against the simulated home: a touch
// changes the home, a refused command (a failure of the service, the gateway off line) brings the
// control back with exactly one alert, and a pulse device falls back by itself.
#include "DeviceTestSupport.h"

#include "../support/ScreenHarness.h"
#include "ui/UiTestSupport.h"

#include "backend/BENotifications.h"
#include "controls/switches/CustomAutoSwitch.h"
#include "controls/switches/CustomButton.h"
#include "foundation/NotificationCenter.h"
#include "screens/heating/MyHeatingController.h"
#include "screens/lighting/MyLightingController.h"
#include "screens/shutters/MyShuttersController.h"
#include "ui/NavigationController.h"
#include "ui/ScrollView.h"

namespace screentest {
namespace {

using namespace devicestest;

class DeviceScreensEndToEndTest : public ScreenTest {
 protected:
  // Scrolls the screen's area so that `control` is in view, then taps it.
  void tapInView(devicelist::DeviceScreen* screen, QWidget* control) {
    ASSERT_NE(control, nullptr);
    const QPoint topLeft = control->mapTo(screen->listTableView(), QPoint(0, 0));
    screen->tableScrollView()->scrollRectToVisible(QRectF(QRect(topLeft, control->size())), false);
    uitest::tap(control);
  }
  // Touches the control of `serial`: "toggle" its switch, or a position number of its selector.
  void touch(devicelist::DeviceScreen* screen, const QString& serial, const QString& action) {
    const auto* list = screen->listTableView();
    tapInView(screen, action == "toggle" ? static_cast<QWidget*>(switchOf(list, serial)) : positionOf(list, serial, action.toInt()));
  }
  static QString shown(devicelist::DeviceScreen* screen, const QString& serial) {
    if (CustomSwitch* s = switchOf(screen->listTableView(), serial)) return s->isOn() ? "on" : "off";
    return QString::number(selectedPosition(screen->listTableView(), serial));
  }
};

TEST_F(DeviceScreensEndToEndTest, ACommandReachesTheHomeAndARefusedOneBringsTheControlBack) {
  struct Case {
    const char* screenName;
    QString serial;
    QString touch, homeStatus, shown;  // the touch that the home accepts
    QString refusedTouch;              // then one that the service refuses
  };
  const Case cases[] = {
      {"MyLightingController", "LGT-CUISINE", "toggle", "ON", "on", "toggle"},
      {"MyShuttersController", "OPN-VOLET-CHAMBRE", "toggle", "OPEN", "on", "toggle"},
      {"MyHeatingController", "HTG-FIL-PILOTE", "3", "COMFORT", "3", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screenName);
    auto* screen = open<devicelist::DeviceScreen>(c.screenName);
    ASSERT_NE(screen, nullptr);
    ASSERT_NE(rowOf(screen->listTableView(), c.serial), nullptr) << "no row for " << c.serial.toStdString();

    touch(screen, c.serial, c.touch);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(device(c.serial)["status"].toString(), c.homeStatus);
    EXPECT_EQ(shown(screen, c.serial), c.shown);
    EXPECT_EQ(alertCount(), 0);

    for (const bool gatewayOff : {false, true}) {
      SCOPED_TRACE(gatewayOff ? "gateway off line" : "service failure");
      if (gatewayOff) {
        gatewayOffline(true);
      } else {
        fail("/device/status", "PUT");
      }
      touch(screen, c.serial, c.refusedTouch);
      ASSERT_TRUE(waitIdle());
      EXPECT_EQ(shown(screen, c.serial), c.shown);
      EXPECT_EQ(device(c.serial)["status"].toString(), c.homeStatus);
      EXPECT_EQ(alertCount(), 1);
      dismissAlert();
      gatewayOffline(false);
    }
    app->navigationController()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(waitIdle());
  }
}

TEST_F(DeviceScreensEndToEndTest, APulseDeviceIsSentOneToggleAndItsSwitchFallsBackAfterThreeSeconds) {
  auto* screen = open<MyShuttersController>("MyShuttersController");
  ASSERT_NE(screen, nullptr);
  auto* pulse = qobject_cast<CustomAutoSwitch*>(switchOf(screen->listTableView(), "OPN-PORTAIL"));
  ASSERT_NE(pulse, nullptr);
  int commands = 0;
  foundation::Observations counter;
  counter.add(kSuccessDevicePutStatus, [&](const foundation::Notification&) { ++commands; });
  counter.add(kErrorDevicePutStatus, [&](const foundation::Notification&) { ++commands; });

  tapInView(screen, pulse);
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(device("OPN-PORTAIL")["status"].toString(), "ON");
  EXPECT_TRUE(pulse->isOn());
  uitest::tap(pulse);  // ignored while it is on
  advance(2.9);
  EXPECT_TRUE(pulse->isOn());
  advance(0.2);
  ASSERT_TRUE(waitIdle());
  EXPECT_FALSE(pulse->isOn());
  EXPECT_EQ(commands, 1);
  EXPECT_EQ(alertCount(), 0);
}

}  // namespace
}  // namespace screentest
