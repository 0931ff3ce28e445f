// One home for every screen, in the real app against the simulated home: a command the service
// accepted on one screen shows on the next screen that shows the same device, mode or favorite
// from its first frame, and still shows when that screen's own read fails.
#include "../devicelist/DeviceTestSupport.h"
#include "../support/ScreenHarness.h"

#include "controls/playstop/CustomPlayStop.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "screens/favorites/MyFavoritesController.h"
#include "screens/favorites/MyFavoritesTableView.h"
#include "screens/home/AllActiveSensorsTableView.h"
#include "screens/home/MyHomeController.h"
#include "screens/safety/MySafetyController.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"

#include <QJsonArray>

namespace screentest {
namespace {

class OneHomeTest : public ScreenTest {
 protected:
  void back() {
    app->navigationController()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(waitIdle());
  }
  QString intrusion() {
    for (const auto& mode : simRead("/gateway/mode")["modeList"].toArray())
      if (mode.toObject()["subCategory"].toString() == "INTRUSION") return mode.toObject()["mode"].toString();
    return {};
  }
  static QStringList activeDevices(MyHomeController* home) {
    QStringList names;
    for (const auto& device : home->listSensorsTableView()->sensors()) names << QString::fromStdString(*device->name);
    return names;
  }
};

TEST_F(OneHomeTest, AnAcceptedDeviceCommandShowsOnTheNextScreensEvenWhenTheirReadsFail) {
  // The dashboard is read before the command, with the terrace off.
  auto* home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  ASSERT_FALSE(activeDevices(home).contains("Terrasse"));
  back();
  auto* lighting = open<devicelist::DeviceScreen>("MyLightingController");
  ASSERT_NE(lighting, nullptr);
  ASSERT_EQ(devicestest::shown(lighting, "LGT-TERRASSE"), "off");
  devicestest::touch(lighting, "LGT-TERRASSE", "toggle");
  ASSERT_TRUE(waitIdle());
  ASSERT_EQ(device("LGT-TERRASSE")["status"].toString(), "ON");
  back();

  // The next reads fail: nothing but what the store learnt from the command can show it.
  fail("/device", "GET", 503, 10);
  fail("/dashboard", "GET", 503, 10);
  lighting = open<devicelist::DeviceScreen>("MyLightingController");
  ASSERT_NE(lighting, nullptr);
  EXPECT_EQ(devicestest::shown(lighting, "LGT-TERRASSE"), "on");
  dismissAlert();
  back();
  home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  EXPECT_TRUE(activeDevices(home).contains("Terrasse")) << activeDevices(home).join(", ").toStdString();
}

TEST_F(OneHomeTest, AnAlarmModeChangedOnHomeShowsOnSafetyAndAFavoriteStartedShowsOnHome) {
  auto* home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  uitest::tap(home->sliderAlarm()->btn3());
  ASSERT_TRUE(waitIdle());
  ASSERT_EQ(intrusion(), "ON");
  back();
  fail("/gateway/mode", "GET", 503, 10);
  auto* safety = open<MySafetyController>("MySafetyController");
  ASSERT_NE(safety, nullptr);
  EXPECT_EQ(safety->sliderAlarm()->selectedSection(), 2);
  dismissAlert();
  back();

  auto* favorites = open<MyFavoritesController>("MyFavoritesController");
  ASSERT_NE(favorites, nullptr);
  CustomPlayStop* night = nullptr;
  for (int row = 0; row < int(favorites->tableView()->favorites().size()); ++row)
    if (*favorites->tableView()->favorites()[size_t(row)]->name == "Nuit") night = favorites->tableView()->controlForRow(row);
  ASSERT_NE(night, nullptr);
  uitest::tap(night);
  ASSERT_TRUE(waitIdle());
  back();
  fail("/dashboard", "GET", 503, 10);
  home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  EXPECT_EQ(home->favoriteNameLbl()->text(), "Nuit");
}

}  // namespace
}  // namespace screentest
