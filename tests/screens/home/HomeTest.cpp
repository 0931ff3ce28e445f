// The home dashboard opened from the menu against the simulated home: the camera images in one
// cycle on the manual clock, what the sections show, what their controls change in the home,
// and how a refused command puts a control back with one alert.
#include "backend/BEStatusCodeManager.h"
#include "HomeTestSupport.h"
#include "../support/ScreenHarness.h"
#include "UiTestSupport.h"

#include "app/RootViewController.h"
#include "backend/BESessionManager.h"
#include "controls/AppNotifications.h"
#include "controls/UISessionManager.h"
#include "controls/switches/CustomButton.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Strings.h"
#include "screens/home/AllActiveSensorsTableView.h"
#include "screens/home/MyHomeController.h"
#include "screens/scenarios/ScenarioTableViewController.h"
#include "support/Wait.h"
#include "ui/NavigationController.h"
#include "ui/ProgressHUD.h"
#include "ui/TableView.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace screentest {
namespace {

using namespace hometest;

const char* const kCameras[] = {"CAM-ENTREE", "CAM-JARDIN", "CAM-RUE"};

class HomeTest : public ScreenTest {
 protected:
  // The cameras asked for an image so far, in order.
  QStringList imagesAsked() {
    QStringList cameras;
    for (const QString& path : requestsTo(*sim, "GET", "/video/image/")) cameras << path.section('/', 3);
    return cameras;
  }
  // Opens the dashboard on `stored` while the service fails the fetch: the screen shows the store.
  MyHomeController* openOn(std::shared_ptr<VODashboard> stored) {
    BESessionManager::getInstance().setDashboard(std::move(stored));
    BEStatusCodeManager::resetFailures();  // each opening meets a new fault, told once
    fail(QStringLiteral("/dashboard"), QStringLiteral("GET"));
    auto* home = open<MyHomeController>("MyHomeController");
    EXPECT_EQ(alertCount(), 1);
    dismissAlert();
    return home;
  }
  static std::shared_ptr<VODashboard> withCameras(int n) {
    auto dashboard = std::make_shared<VODashboard>();
    for (int i = 0; i < n; ++i) {
      const std::string name = "Caméra " + std::to_string(i);
      dashboard->cameras.push_back(deviceLight(kCameras[i % 3], name.c_str(), i % 2 ? "RCAM" : "FCAM", "ON"));
    }
    dashboard->cameras.push_back(deviceLight("USB_WEATHER_VYR", "Station", "USB_WEATHER_VYR", "ON"));
    return dashboard;
  }
  QString homeMode(const QString& domain) {
    for (const auto& m : simRead(QStringLiteral("/gateway/mode"))["modeList"].toArray())
      if (m.toObject()["subCategory"].toString() == domain) return m.toObject()["mode"].toString();
    return {};
  }
  bool favoriteRunsInHome(int id) {
    for (const auto& f : simRead(QStringLiteral("/favorite/light"))["favorites"].toArray())
      if (f.toObject()["id"].toInt() == id) return f.toObject()["status"].toString() == "1";
    return false;
  }
  // Scrolls the sections so that `control` is in view (the strip may hide meanwhile), then taps it.
  void tapInView(MyHomeController* home, QWidget* control) {
    ASSERT_NE(control, nullptr);
    for (int i = 0; i < 2; ++i) {
      const QPoint at = control->mapTo(home->scrollView()->contentView(), QPoint(0, 0));
      home->scrollView()->scrollRectToVisible(QRectF(QRect(at, control->size()).adjusted(0, -10, 0, 10)), false);
    }
    uitest::tap(control);
  }
  static int rowOf(const AllActiveSensorsTableView* list, const char* serial) {
    for (int row = 0; row < int(list->sensors().size()); ++row)
      if (list->sensors()[size_t(row)]->serial == serial) return row;
    return -1;
  }
  void delay(const char* path, int ms) {
    const QJsonObject rule{{"path", path}, {"method", "GET"}, {"effect", "delay"}, {"ms", ms}};
    ASSERT_EQ(sim->control("POST", QStringLiteral("/_sim/fail"), QJsonDocument(rule).toJson()).status / 100, 2);
  }
};

TEST_F(HomeTest, TheFirstImageComesAfterFiveSecondsByCameraCountAndEachNextFiveSecondsAfterTheLast) {
  for (const int n : {1, 2, 3, 6}) {
    SCOPED_TRACE(n);
    MyHomeController* home = openOn(withCameras(n));
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(int(home->cameraSensors().size()), n) << "only cameras";
    ASSERT_TRUE(home->timerIsActif());
    sim->server().clearRecordedRequests();
    const double first = 5 / n;  // whole seconds: 5, 2, 1, then at once
    if (first > 0) {
      advance(first - 0.05);
      ASSERT_TRUE(waitIdle());
      EXPECT_TRUE(imagesAsked().isEmpty());
    }
    advance(first > 0 ? 0.05 : 0.0);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(imagesAsked(), QStringList{kCameras[0]});
    // However many cameras, the next one waits 5 s after the last image.
    advance(4.95);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(imagesAsked().size(), 1);
    advance(0.05);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(imagesAsked(), (QStringList{kCameras[0], kCameras[n > 1 ? 1 : 0]}));
    app->navigationController()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(waitIdle());
  }
}

TEST_F(HomeTest, ShowsTheDemoHomesThreeCamerasWithTheirOwnStillImagesInTurn) {
  auto* home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  ASSERT_EQ(int(home->cameraSensors().size()), 3);
  EXPECT_EQ(home->videoPageControl()->titleTxtMutableArray(), (QStringList{"Caméra entrée", "Caméra jardin", "Caméra rue"}));
  for (double step : {1.0, 5.0, 5.0, 5.0}) {
    // The garden camera has no picture yet the first time: "not found", which is no failure.
    if (step == 5.0 && imagesAsked().size() == 1) fail(QStringLiteral("/video/image/:serial"), QStringLiteral("GET"), 404);
    advance(step);
    ASSERT_TRUE(waitIdle());
  }
  EXPECT_EQ(imagesAsked(), (QStringList{"CAM-ENTREE", "CAM-JARDIN", "CAM-RUE", "CAM-ENTREE"}));
  EXPECT_TRUE(home->cameraImageView(1)->image().isNull()) << "the entrance's picture on the garden's page";
  EXPECT_EQ(alertCount(), 0);
  for (int i : {0, 2}) {
    ASSERT_NE(home->cameraImageView(i), nullptr);
    EXPECT_FALSE(home->cameraImageView(i)->image().isNull()) << "camera " << i;
    EXPECT_GT(home->cameraImageView(i)->image().size().width(), 0);
  }
}

TEST_F(HomeTest, DashboardAnswersDuringTheCycleNeverStartASecondOne) {
  auto* home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  home->onGetDashBoard();  // while the timer is pending
  home->onGetDashBoard();
  advance(1.0);
  ASSERT_TRUE(waitIdle());
  // And while an image is on its way.
  delay("/video/image/:serial", 300);
  advance(5.0);
  ASSERT_TRUE(tbtest::waitUntil([&] { return sim->server().recordedCount() > 0 && home->imageCycleRunning() && !home->timerIsActif(); }));
  home->onGetDashBoard();
  ASSERT_TRUE(waitIdle());
  for (int i = 0; i < 3; ++i) {
    advance(5.0);
    ASSERT_TRUE(waitIdle());
  }
  EXPECT_EQ(imagesAsked(), (QStringList{"CAM-ENTREE", "CAM-JARDIN", "CAM-RUE", "CAM-ENTREE", "CAM-JARDIN"}));
  EXPECT_EQ(requestsTo(*sim, "PUT", "/video/image/start/").size(), 1);
}

TEST_F(HomeTest, ALeavingScreenAsksForNoMoreImages) {
  for (const bool imageOut : {false, true}) {
    SCOPED_TRACE(imageOut ? "an image on its way" : "the timer pending");
    ASSERT_NE(open<MyHomeController>("MyHomeController"), nullptr);
    if (imageOut) {
      delay("/video/image/:serial", 300);
      advance(1.0);
    }
    app->navigationController()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(waitIdle());
    sim->server().clearRecordedRequests();
    advance(30.0);
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(imagesAsked().isEmpty());
  }
}

TEST_F(HomeTest, AppearsAtOnceFromTheStoredDashboardWhileTheFreshOneIsOnItsWay) {
  ASSERT_NE(open<MyHomeController>("MyHomeController"), nullptr);
  app->navigationController()->popToRootViewControllerAnimated(false);
  ASSERT_TRUE(waitIdle());
  delay("/dashboard", 300);
  UISessionManager::getInstance().setSelectedNavItem(QStringLiteral("MyHomeController"));
  app->rootViewController()->navItemClicked();
  auto* home = dynamic_cast<MyHomeController*>(app->navigationController()->topViewController());
  ASSERT_NE(home, nullptr);
  EXPECT_EQ(home->dashboardAnswers(), 0);
  EXPECT_EQ(home->favoriteNameLbl()->text(), "Soirée cinéma");
  EXPECT_EQ(int(home->cameraSensors().size()), 3);
  EXPECT_FALSE(app->progressHUD() && app->progressHUD()->isShowing()) << "nothing in the way of a usable screen";
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(home->dashboardAnswers(), 1);
}

TEST_F(HomeTest, AChangeMadeElsewhereAppearsOnTheOpenDashboardWithoutASecondImageCycle) {
  auto* home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  ASSERT_EQ(rowOf(home->listSensorsTableView(), "LGT-CUISINE"), -1);
  const QJsonObject command{{"status", "ON"}, {"serial", "LGT-CUISINE"}};
  ASSERT_EQ(sim->call("PUT", QStringLiteral("/device/status"), QJsonDocument(command).toJson()).status / 100, 2);
  advance(30.0);  // the app reads the open screen again
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(home->dashboardAnswers(), 2);
  EXPECT_GE(rowOf(home->listSensorsTableView(), "LGT-CUISINE"), 0);
  EXPECT_EQ(requestsTo(*sim, "PUT", "/video/image/start/").size(), 1);
}

TEST_F(HomeTest, ModesReachTheHomeAndARefusedChangeGoesBackToTheLastConfirmedMode) {
  auto* home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  // The demo home: intrusion off, domestic safety on, home help off.
  EXPECT_EQ(home->sliderAlarm()->selectedSection(), 0);
  EXPECT_TRUE(home->switchDomestic()->isOn());
  EXPECT_FALSE(home->switchHomehelp()->isOn());

  tapInView(home, home->sliderAlarm()->btn3());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(homeMode("INTRUSION"), "ON");

  // Refused: back to total, the mode the service confirmed last (the dashboard still says off).
  fail(QStringLiteral("/gateway/:subCategory/mode/"), QStringLiteral("PUT"));
  tapInView(home, home->sliderAlarm()->btn2());
  EXPECT_EQ(home->sliderAlarm()->selectedSection(), 1);
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(home->sliderAlarm()->selectedSection(), 2);
  EXPECT_EQ(homeMode("INTRUSION"), "ON");
  EXPECT_EQ(alertCount(), 1);
  dismissAlert();

  // A touch that ends elsewhere chooses nothing.
  sim->server().clearRecordedRequests();
  CustomButton* off = home->sliderAlarm()->btn1();
  uitest::press(off, off->rect().center());
  uitest::release(off, off->rect().center() + QPoint(0, 100));
  EXPECT_EQ(home->sliderAlarm()->selectedSection(), 2);
  EXPECT_TRUE(requestsTo(*sim, "PUT", "/gateway/").isEmpty());

  // The gateway off line: the switch comes back with one alert.
  gatewayOffline(true);
  tapInView(home, home->switchDomestic());
  ASSERT_TRUE(waitIdle());
  EXPECT_TRUE(home->switchDomestic()->isOn());
  EXPECT_EQ(homeMode("DOMESTIC"), "ON");
  EXPECT_EQ(alertCount(), 1);
  dismissAlert();
  gatewayOffline(false);

  tapInView(home, home->switchHomehelp());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(homeMode("ASSISTANCE"), "ON");
  EXPECT_TRUE(home->switchHomehelp()->isOn());
}

// Without a stored dashboard no mode is known: a refused change puts back what the control showed.
TEST_F(HomeTest, ARefusedModeChangeWithNoDashboardStoredPutsTheControlBack) {
  fail(QStringLiteral("/dashboard"), QStringLiteral("GET"));
  auto* home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  dismissAlert();
  ASSERT_EQ(home->sliderAlarm()->selectedSection(), 0);
  fail(QStringLiteral("/gateway/:subCategory/mode/"), QStringLiteral("PUT"));
  tapInView(home, home->sliderAlarm()->btn3());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(home->sliderAlarm()->selectedSection(), 0);
  EXPECT_EQ(alertCount(), 1);
}

TEST_F(HomeTest, StoppingTheRunningFavoriteStopsItInTheHomeAndARefusedStopBringsItBack) {
  auto* home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  ASSERT_EQ(home->favoriteNameLbl()->text(), "Soirée cinéma");
  ASSERT_TRUE(home->favoritePlayStop()->isVisible());

  fail(QStringLiteral("/favorite/:id/stop"), QStringLiteral("PUT"));
  tapInView(home, home->favoritePlayStop());
  EXPECT_EQ(home->favoriteNameLbl()->text(), foundation::localized("No current favorite."));
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(home->favoriteNameLbl()->text(), "Soirée cinéma");
  EXPECT_TRUE(home->favoritePlayStop()->isVisible());
  EXPECT_TRUE(home->favoritePlayStop()->isSelected());
  EXPECT_EQ(alertCount(), 1);
  dismissAlert();

  tapInView(home, home->favoritePlayStop());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(home->favoriteNameLbl()->text(), foundation::localized("No current favorite."));
  EXPECT_FALSE(home->favoritePlayStop()->isVisible());
  EXPECT_FALSE(favoriteRunsInHome(1));
  EXPECT_EQ(requestsTo(*sim, "PUT", "/favorite/").value(1), "/favorite/1/stop");
}

TEST_F(HomeTest, SwitchingADeviceOffChangesTheHomeAndARefusedCommandPutsItBackOn) {
  auto* home = open<MyHomeController>("MyHomeController");
  ASSERT_NE(home, nullptr);
  AllActiveSensorsTableView* list = home->listSensorsTableView();
  ASSERT_GE(rowOf(list, "LGT-SALON"), 0);
  ASSERT_GE(rowOf(list, "OPN-VOLET-SALON"), 0);

  tapInView(home, list->switchForRow(rowOf(list, "LGT-SALON")));
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(device("LGT-SALON")["status"].toString(), "OFF");
  EXPECT_EQ(rowOf(list, "LGT-SALON"), -1);

  tapInView(home, list->switchForRow(rowOf(list, "OPN-VOLET-SALON")));
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(device("OPN-VOLET-SALON")["status"].toString(), "CLOSE");

  for (const bool gatewayOff : {false, true}) {
    SCOPED_TRACE(gatewayOff ? "gateway off line" : "service failure");
    if (gatewayOff)
      gatewayOffline(true);
    else
      fail(QStringLiteral("/device/status"), QStringLiteral("PUT"));
    tapInView(home, list->switchForRow(rowOf(list, "LGT-BUREAU")));
    EXPECT_EQ(rowOf(list, "LGT-BUREAU"), -1) << "off the list at once";
    ASSERT_TRUE(waitIdle());
    ASSERT_GE(rowOf(list, "LGT-BUREAU"), 0);
    EXPECT_TRUE(list->switchForRow(rowOf(list, "LGT-BUREAU"))->isOn());
    EXPECT_EQ(device("LGT-BUREAU")["status"].toString(), "ON");
    EXPECT_EQ(alertCount(), 1);
    dismissAlert();
    gatewayOffline(false);
  }

  // A heating mode: chosen, then a refused one goes back to it.
  const int heater = rowOf(list, "HTG-FIL-PILOTE");
  ASSERT_GE(heater, 0);
  tapInView(home, list->selectorForRow(heater)->btn4());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(device("HTG-FIL-PILOTE")["status"].toString(), "COMFORT");
  fail(QStringLiteral("/device/status"), QStringLiteral("PUT"));
  tapInView(home, list->selectorForRow(heater)->btn2());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(list->selectorForRow(heater)->selectedSection(), 3);
  EXPECT_EQ(alertCount(), 1);
}

TEST_F(HomeTest, TheSectionsFollowTheirListsAndTheStripGivesWayWhenTheyScroll) {
  auto dashboard = std::make_shared<VODashboard>();
  dashboard->lighting = {deviceLight("L1", "Salon", "P0RD", "ON")};
  dashboard->climatic = {deviceLight("H1", "Thermostat", "P1WT", "ECO")};
  MyHomeController* home = openOn(dashboard);
  ASSERT_NE(home, nullptr);
  for (const int running : {0, 2}) {
    SCOPED_TRACE(running);
    dashboard->scenarios.clear();
    for (int i = 0; i < running; ++i) dashboard->scenarios.push_back(scenario(std::to_string(7 + i).c_str(), "S", "ENABLED", "LIGHTING"));
    home->listScenariosTableView()->refreshData();
    const QRect scenarios = home->listScenariosTableView()->tableView()->geometry();
    EXPECT_EQ(scenarios.height(), 50 * std::max(1, running));
    EXPECT_GT(home->bgScenarioFrame().bottom(), scenarios.bottom());
    const QRect sensors = home->listSensorsTableView()->tableView()->geometry();
    EXPECT_GT(sensors.top(), home->bgScenarioFrame().bottom());
    EXPECT_EQ(sensors.height(), 150);
    EXPECT_GE(home->bgSensorFrame().bottom(), sensors.bottom());
    EXPECT_GE(home->scrollView()->contentSize().height(), home->bgSensorFrame().bottom());
  }

  const int stripTop = home->scrollView()->y();
  home->scrollView()->setContentOffset(QPointF(0, 20));
  EXPECT_FALSE(home->videoPageControlIsVisible());
  EXPECT_TRUE(home->btnReturnToCamera()->isVisible());
  EXPECT_LT(home->scrollView()->y(), stripTop) << "the sections take the strip's room";
  home->scrollView()->setContentOffset(QPointF(0, -20));
  EXPECT_TRUE(home->videoPageControlIsVisible());
  EXPECT_FALSE(home->btnReturnToCamera()->isVisible());
  EXPECT_EQ(home->scrollView()->y(), stripTop);
}

}  // namespace
}  // namespace screentest
