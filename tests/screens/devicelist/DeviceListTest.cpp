// The device lists of the lighting, shutters and heating screens against a scripted service:
// which devices they show and how, their height, rebuilds, and what a refusal or a touch that
// does not complete leaves on show.
#include "DeviceTestSupport.h"

#include "app/ShellTestSupport.h"
#include "support/Wait.h"
#include "support/server/TestServer.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BESessionManager.h"
#include "backend/BackendReset.h"
#include "foundation/Strings.h"
#include "screens/heating/MyHeatingController.h"
#include "screens/lighting/MyLightingController.h"
#include "screens/shutters/MyShuttersController.h"
#include "ui/Label.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <memory>

namespace {

using devicelist::DeviceScreen;
using simcore::HttpResponse;
using namespace devicestest;

struct Device {
  QString serial;
  const char* type;
  const char* status;
};

// `count` devices of one kind, "D0", "D1", ...
std::vector<Device> several(int count, const char* type, const char* status) {
  std::vector<Device> devices;
  for (int i = 0; i < count; ++i) devices.push_back({QStringLiteral("D%1").arg(i), type, status});
  return devices;
}

using ScreenFactory = std::function<DeviceScreen*()>;
const ScreenFactory kLighting = [] { return new MyLightingController(); };
const ScreenFactory kShutters = [] { return new MyShuttersController(); };
const ScreenFactory kHeating = [] { return new MyHeatingController(); };

class DeviceListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backend::resetAllSingletons();
    foundation::setScheduler(&clock);
    foundation::Configuration configuration;
    configuration.restServer = server.url().toString(QUrl::StripTrailingSlash);
    configuration.restType = QStringLiteral("tavrobox");
    configuration.restVersion = QStringLiteral("v1");
    BERestConfig::getInstance().initRestLayer(configuration);
    auto auth = std::make_shared<VOAuth>();
    auth->sessionId = "S1";
    BESessionManager::getInstance().setAuth(auth);
    for (const char* name : {kSuccessDeviceGetActuatorList, kErrorDeviceGetActuatorList, kSuccessDevicePutStatus, kErrorDevicePutStatus})
      m_observations.add(name, [this](const foundation::Notification&) { ++answers; });
  }
  void TearDown() override {
    screen.reset();
    backend::resetAllSingletons();
    foundation::setScheduler(nullptr);
  }

  // Runs `start`, which sends one request, answered by `answer`.
  void answered(const std::function<void()>& start, HttpResponse answer) {
    server.script().enqueue(std::move(answer));
    const int before = answers;
    start();
    EXPECT_TRUE(tbtest::waitUntil([&] { return answers > before; })) << "no answer delivered";
  }
  static HttpResponse list(const std::vector<Device>& devices) {
    QJsonArray array;
    for (const Device& d : devices)
      array.append(QJsonObject{{"serial", d.serial}, {"name", d.serial}, {"type", d.type}, {"status", d.status}});
    return HttpResponse::json(200, QJsonDocument(QJsonObject{{"devices", array}}).toJson());
  }
  void open(const ScreenFactory& make, const std::vector<Device>& devices) {
    answered([&] { screen.reset(make()); }, list(devices));
    screen->view()->show();
  }
  // The status commands received, as "serial=status".
  QStringList commands() const {
    QStringList sent;
    for (const simcore::HttpRequest& r : server.requests()) {
      const QJsonObject body = QJsonDocument::fromJson(r.body).object();
      if (r.path.contains("/device/status")) sent << body["serial"].toString() + "=" + body["status"].toString();
    }
    return sent;
  }

  tbtest::TestServer server;
  foundation::ManualClock& clock = shelltest::processClock();
  std::unique_ptr<DeviceScreen> screen;
  int answers = 0;

 private:
  foundation::Observations m_observations;
};

TEST_F(DeviceListTest, EachFamilyListsItsOwnDevicesShowingTheirStatus) {
  struct Case {
    ScreenFactory make;
    std::vector<Device> devices;
    QStringList rows;  // "serial:shown", in order
  };
  const Case cases[] = {
      {kLighting, {{"L1", "P0R", "ON"}, {"L2", "P0SC", "OFF"}, {"H1", "P1RR", "ON"}, {"L3", "P0RG", "BROKEN"}},
       {"L1:on", "L2:off", "L3:off"}},
      // An open shutter shows open and a closed one closed, whatever word its family uses.
      {kShutters,
       {{"G", "P0MKG", "ON"}, {"V1", "P0MF20", "OPEN"}, {"V2", "P0MF6", "CLOSE"}, {"W", "P0MFM", "ON"}, {"L", "P0RD", "ON"}},
       {"G:off", "V1:on", "V2:off", "W:on"}},
      {kHeating,
       {{"T", "P1RR", "ON"}, {"VM", "P0VM", "HIGH_SPEED"}, {"VX", "P0VM", "UNKNOWN"}, {"B", "P1MFC", "FORCED_ON"},
        {"R", "P1WT", "ECO"}, {"F", "P1MHWR", "OFF"}, {"L", "P0RD", "ON"}},
       {"T:on", "VM:1", "VX:0", "B:2", "R:2", "F:0"}},
  };
  for (const Case& c : cases) {
    open(c.make, c.devices);
    QStringList rows;
    for (const auto& device : screen->listTableView()->sensors()) {
      const QString serial = QString::fromStdString(*device->serial);
      rows << serial + ":" + shown(screen.get(), serial);
    }
    EXPECT_EQ(rows, c.rows);
  }
}

TEST_F(DeviceListTest, TheListIsAsHighAsItsRowsAndTheAreaScrollsWhenTheyDoNotFit) {
  std::vector<Device> heating = several(4, "P1WT", "ECO");
  heating.push_back({"T", "P1RR", "ON"});
  struct Case {
    ScreenFactory make;
    std::vector<Device> devices;
    int listHeight, contentHeight;
    const char* emptyKey;  // the text of the only row when the family has no device
  };
  const Case cases[] = {
      {kLighting, several(1, "P1RR", "ON"), 167, 355, "You do not have lights."},
      {kLighting, several(6, "P0RD", "ON"), 300, 355, nullptr},
      {kLighting, several(8, "P0RD", "ON"), 400, 420, nullptr},
      {kShutters, {}, 167, 355, "You do not have openings."},
      {kHeating, heating, 450, 470, nullptr},
  };
  for (const Case& c : cases) {
    open(c.make, c.devices);
    SCOPED_TRACE(c.listHeight);
    EXPECT_EQ(screen->listTableView()->height(), c.listHeight);
    EXPECT_EQ(screen->tableScrollView()->contentSize().height(), c.contentHeight);
    if (!c.emptyKey) continue;
    auto* label = screen->listTableView()->cellForRowAtIndexPath({0, 0})->findChild<ui::Label*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), foundation::localized(c.emptyKey));
    EXPECT_FALSE(label->text().isEmpty());
  }
}

TEST_F(DeviceListTest, AListAnswerThatComesAgainRebuildsTheListInPlace) {
  open(kLighting, {{"L1", "P0RD", "OFF"}, {"L2", "P0RD", "ON"}});
  auto* firstList = screen->listTableView();
  QWidget* firstSwitch = controlOf(screen.get(), "L1", "toggle");
  const std::size_t observers = foundation::NotificationCenter::defaultCenter().observerCount();

  answered([&] { screen->fetch(); }, list({{"L1", "P0RD", "ON"}, {"L2", "P0RD", "ON"}, {"L3", "P0RD", "OFF"}}));
  answered([&] { screen->fetch(); }, list({{"L1", "P0RD", "ON"}, {"L2", "P0RD", "OFF"}, {"L3", "P0RD", "OFF"}}));

  EXPECT_EQ(screen->view()->findChildren<devicelist::DeviceListTableView*>(), QList{firstList});
  EXPECT_EQ(controlOf(screen.get(), "L1", "toggle"), firstSwitch) << "a device keeps its row";
  EXPECT_EQ(foundation::NotificationCenter::defaultCenter().observerCount(), observers);
  EXPECT_EQ(shown(screen.get(), "L1") + shown(screen.get(), "L2") + shown(screen.get(), "L3"), "onoffoff");
  EXPECT_EQ(firstList->height(), 150);
}

TEST_F(DeviceListTest, ARefusedCommandPutsTheRowBackToWhatTheServiceLastConfirmed) {
  struct Case {
    ScreenFactory make;
    Device device;
    QString accepted, refused;  // the controls touched
    QStringList commands;
    QString confirmed;          // shown after the refusal
    HttpResponse refusal;
  };
  const Case cases[] = {
      {kLighting, {"L1", "P0RD", "OFF"}, "toggle", "toggle", {"L1=ON", "L1=OFF"}, "on", HttpResponse::text(503, "down")},
      {kShutters, {"V1", "P0MF30", "CLOSE"}, "toggle", "toggle", {"V1=OPEN", "V1=CLOSE"}, "on", HttpResponse::text(600, "off")},
      {kHeating, {"R", "P1WT", "ECO"}, "3", "1", {"R=COMFORT", "R=FROSTGUARD"}, "3", HttpResponse::json(500, "{}")},
  };
  for (const Case& c : cases) {
    open(c.make, {c.device});
    server.server().clearRecordedRequests();
    answered([&] { touch(screen.get(), c.device.serial, c.accepted); }, HttpResponse::json(200, ""));
    answered([&] { touch(screen.get(), c.device.serial, c.refused); }, c.refusal);
    EXPECT_EQ(commands(), c.commands) << "one touch, one command";
    // The store still holds the list answer's status; the accepted command is what counts.
    EXPECT_EQ(shown(screen.get(), c.device.serial), c.confirmed);
  }
}

TEST_F(DeviceListTest, ATouchThatDoesNotCompleteSendsNothingAndChangesNothing) {
  enum class Gesture { ScrolledAway, LiftedOutside, RebuiltUnderTheFinger };
  struct Case {
    const char* name;
    ScreenFactory make;
    std::vector<Device> devices;  // enough for the area to scroll; "D0" is touched
    QString control;
    Gesture gesture;
  };
  const auto lights = several(8, "P0RD", "OFF");
  const auto thermostats = several(8, "P1WT", "ECO");
  const Case cases[] = {
      {"switch scrolled away", kLighting, lights, "toggle", Gesture::ScrolledAway},
      {"switch rebuilt under the finger", kLighting, lights, "toggle", Gesture::RebuiltUnderTheFinger},
      {"selector scrolled away", kHeating, thermostats, "3", Gesture::ScrolledAway},
      {"selector lifted outside", kHeating, thermostats, "3", Gesture::LiftedOutside},
      {"selector rebuilt under the finger", kHeating, thermostats, "3", Gesture::RebuiltUnderTheFinger},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(c.make, c.devices);
    server.server().clearRecordedRequests();
    const QString before = shown(screen.get(), "D0");
    QWidget* control = controlOf(screen.get(), "D0", c.control);
    ASSERT_NE(control, nullptr);
    const QPoint centre = control->rect().center();
    uitest::press(control, centre);
    if (c.gesture == Gesture::ScrolledAway) {
      // The finger moves before the control takes the touch: the area scrolls instead.
      uitest::move(control, centre + QPoint(0, -80), 20);
      uitest::release(control, centre + QPoint(0, -80), 20);
      EXPECT_GT(screen->tableScrollView()->contentOffset().y(), 0.0);
    } else {
      clock.advanceBy(0.2);  // the control has taken the touch
      if (c.gesture == Gesture::RebuiltUnderTheFinger) answered([&] { screen->fetch(); }, list(c.devices));
      const QPoint lift = c.gesture == Gesture::LiftedOutside ? centre + QPoint(0, 60) : centre;
      uitest::move(control, lift, 200);
      uitest::release(control, lift, 200);
    }
    tbtest::processEventsFor(50);
    EXPECT_EQ(shown(screen.get(), "D0"), before);
    EXPECT_EQ(commands(), QStringList());
  }
}

}  // namespace
