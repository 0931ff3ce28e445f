// The device lists of the lighting, shutters and heating screens against a scripted service:
// which devices they show and how, their layout, rebuilds, commands and what a refusal restores.
#include "DeviceTestSupport.h"

#include "../support/ScreenHarness.h"
#include "support/Wait.h"
#include "support/server/TestServer.h"
#include "ui/UiTestSupport.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BESessionManager.h"
#include "backend/BackendReset.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomAutoSwitch.h"
#include "controls/switches/CustomButton.h"
#include "foundation/Strings.h"
#include "screens/heating/MyHeatingController.h"
#include "screens/lighting/MyLightingController.h"
#include "screens/shutters/MyShuttersController.h"
#include "ui/Animation.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"

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
  const char* serial;
  const char* type;
  const char* status;
};

QByteArray listAnswer(const std::vector<Device>& devices) {
  QJsonArray array;
  for (const Device& d : devices)
    array.append(QJsonObject{{"id", d.serial}, {"serial", d.serial}, {"name", QStringLiteral("Device %1").arg(d.serial)},
                             {"type", d.type}, {"status", d.status}});
  return QJsonDocument(QJsonObject{{"devices", array}}).toJson(QJsonDocument::Compact);
}

using ScreenFactory = std::function<DeviceScreen*()>;
const ScreenFactory kLighting = [] { return new MyLightingController(); };
const ScreenFactory kShutters = [] { return new MyShuttersController(); };
const ScreenFactory kHeating = [] { return new MyHeatingController(); };

class DeviceListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Animation::setDurationScale(0);
    backend::resetAllSingletons();
    foundation::setScheduler(&clock);
    foundation::Configuration configuration;
    configuration.restServer = server.url().toString();
    while (configuration.restServer.endsWith('/')) configuration.restServer.chop(1);
    configuration.restType = QStringLiteral("tavrobox");
    configuration.restVersion = QStringLiteral("v1");
    BERestConfig::getInstance().initRestLayer(configuration);
    auto auth = std::make_shared<VOAuth>();
    auth->sessionId = "S1";
    BESessionManager::getInstance().setAuth(auth);
    for (const char* name : {kSuccessDeviceGetActuatorList, kErrorDeviceGetActuatorList})
      m_observations.add(name, [this](const foundation::Notification&) { ++listAnswers; });
    for (const char* name : {kSuccessDevicePutStatus, kErrorDevicePutStatus})
      m_observations.add(name, [this](const foundation::Notification&) { ++commandAnswers; });
  }

  void TearDown() override {
    screen.reset();
    backend::resetAllSingletons();
    foundation::setScheduler(nullptr);
  }

  // Opens the screen made by `make` and answers its fetch with `devices`.
  DeviceScreen* open(const ScreenFactory& make, const std::vector<Device>& devices) {
    server.script().enqueue(HttpResponse::json(200, listAnswer(devices)));
    const int before = listAnswers;
    screen.reset(make());
    screen->view()->show();
    EXPECT_TRUE(tbtest::waitUntil([&] { return listAnswers > before; })) << "the device list was never answered";
    return screen.get();
  }
  // Asks the list again and answers with `devices`.
  void answerAgain(const std::vector<Device>& devices) {
    server.script().enqueue(HttpResponse::json(200, listAnswer(devices)));
    const int before = listAnswers;
    screen->fetch();
    EXPECT_TRUE(tbtest::waitUntil([&] { return listAnswers > before; }));
  }
  devicelist::DeviceListTableView* list() const { return screen->listTableView(); }

  // The status commands the service received so far, as "serial=status".
  QStringList commands() const {
    QStringList sent;
    for (const simcore::HttpRequest& r : server.requests()) {
      if (!r.path.contains("/device/status")) continue;
      const QJsonObject body = QJsonDocument::fromJson(r.body).object();
      sent << body.value("serial").toString() + "=" + body.value("status").toString();
    }
    return sent;
  }
  // Runs `touch`, which sends one command, answered by `answer`; returns the command.
  QString commandAnswered(const std::function<void()>& touch, HttpResponse answer) {
    server.script().enqueue(std::move(answer));
    const int before = commandAnswers;
    const qsizetype sent = commands().size();
    touch();
    EXPECT_TRUE(tbtest::waitUntil([&] { return commandAnswers > before; })) << "no command answered";
    const QStringList all = commands();
    EXPECT_EQ(all.size(), sent + 1) << "one touch, one command";
    return all.value(all.size() - 1);
  }

  // What the row of `serial` shows: "on", "off", or the selected position.
  QString shown(const QString& serial) const {
    if (CustomSwitch* s = switchOf(list(), serial)) return s->isOn() ? "on" : "off";
    const int position = selectedPosition(list(), serial);
    return position < 0 ? QString("no row") : QString::number(position);
  }
  // Touches the control of `serial` the way `action` says: "toggle" or a position number.
  void touch(const QString& serial, const QString& action) {
    if (action == "toggle") {
      uitest::tap(switchOf(list(), serial));
    } else {
      uitest::tap(positionOf(list(), serial, action.toInt()));
    }
  }

  tbtest::TestServer server;
  foundation::ManualClock& clock = shelltest::processClock();
  std::unique_ptr<DeviceScreen> screen;
  int listAnswers = 0;
  int commandAnswers = 0;

 private:
  foundation::Observations m_observations;
};

TEST_F(DeviceListTest, EachFamilyListsItsOwnDevicesShowingTheirStatus) {
  struct Case {
    const char* name;
    ScreenFactory make;
    std::vector<Device> devices;
    QStringList rows;  // "serial:shown", in order
  };
  const Case cases[] = {
      {"lighting", kLighting,
       {{"L1", "P0R", "ON"}, {"L2", "P0SC", "OFF"}, {"H1", "P1RR", "ON"}, {"L3", "P0RG", "BROKEN"}},
       {"L1:on", "L2:off", "L3:off"}},
      // An open shutter shows open and a closed one closed, whatever word the family uses.
      {"shutters", kShutters,
       {{"G", "P0MKG", "ON"}, {"V1", "P0MF20", "OPEN"}, {"V2", "P0MF6", "CLOSE"}, {"W", "P0MFM", "ON"},
        {"S", "P0SF", "OFF"}, {"L", "P0RD", "ON"}},
       {"G:off", "V1:on", "V2:off", "W:on", "S:off"}},
      {"heating", kHeating,
       {{"T", "P1RR", "ON"}, {"C", "P1MCH", "OFF"}, {"VM", "P0VM", "HIGH_SPEED"}, {"VX", "P0VM", "UNKNOWN"},
        {"B", "P1MFC", "FORCED_ON"}, {"R", "P1WT", "ECO"}, {"F", "P1MHWR", "OFF"}, {"L", "P0RD", "ON"}},
       {"T:on", "C:off", "VM:1", "VX:0", "B:2", "R:2", "F:0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(c.make, c.devices);
    QStringList rows;
    for (const auto& device : list()->sensors()) {
      const QString serial = QString::fromStdString(*device->serial);
      rows << serial + ":" + shown(serial);
    }
    EXPECT_EQ(rows, c.rows);
  }
}

TEST_F(DeviceListTest, ListIsAsHighAsItsRowsAndNeverLowerThanItsArea) {
  const std::vector<Device> eightLights(8, {"L", "P0RD", "ON"});
  const std::vector<Device> heaters = {{"R1", "P1WT", "ECO"}, {"R2", "P1WT", "ECO"}, {"R3", "P1MHWR", "ECO"},
                                       {"B", "P1MFC", "MODE_LOCAL"}, {"T", "P1RR", "ON"}};
  struct Case {
    const char* name;
    ScreenFactory make;
    std::vector<Device> devices;
    int height;
    const char* emptyKey;  // the only row's text when the family has no device
  };
  const Case cases[] = {
      {"no light", kLighting, {{"H", "P1RR", "ON"}}, 355, "You do not have lights."},
      {"six lights", kLighting, std::vector<Device>(6, {"L", "P0RD", "ON"}), 355, nullptr},
      {"eight lights", kLighting, eightLights, 400, nullptr},
      {"no opening", kShutters, {}, 355, "You do not have openings."},
      {"four selectors and a switch", kHeating, heaters, 450, nullptr},
      {"no heating", kHeating, {{"L", "P0RD", "ON"}}, 355, "You do not have heating."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Serials must differ for the rows to be told apart.
    std::vector<Device> devices = c.devices;
    std::vector<QByteArray> serials;
    for (size_t i = 0; i < devices.size(); ++i) serials.push_back(QByteArray(devices[i].serial) + QByteArray::number(int(i)));
    for (size_t i = 0; i < devices.size(); ++i) devices[i].serial = serials[i].constData();
    open(c.make, devices);
    EXPECT_EQ(list()->height(), c.height);
    EXPECT_EQ(screen->tableScrollView()->contentSize().height(), c.height);
    EXPECT_EQ(screen->tableScrollView()->canScroll(Qt::Vertical), c.height > DeviceScreen::kListHeight);
    if (c.emptyKey) {
      ASSERT_EQ(list()->numberOfRowsInSection(0), 1);
      auto* label = list()->cellForRowAtIndexPath({0, 0})->findChild<ui::Label*>();
      ASSERT_NE(label, nullptr);
      EXPECT_FALSE(label->text().isEmpty());
      EXPECT_EQ(label->text(), foundation::localized(c.emptyKey));
    }
  }
}

TEST_F(DeviceListTest, AListAnswerThatComesAgainRebuildsTheListInPlace) {
  open(kLighting, {{"L1", "P0RD", "OFF"}, {"L2", "P0RD", "ON"}});
  devicelist::DeviceListTableView* first = list();
  CustomSwitch* firstSwitch = switchOf(first, "L1");
  const std::size_t observers = foundation::NotificationCenter::defaultCenter().observerCount();

  answerAgain({{"L1", "P0RD", "ON"}, {"L2", "P0RD", "ON"}, {"L3", "P0RD", "OFF"}});
  answerAgain({{"L1", "P0RD", "ON"}, {"L2", "P0RD", "OFF"}, {"L3", "P0RD", "OFF"}});

  EXPECT_EQ(screen->view()->findChildren<devicelist::DeviceListTableView*>().size(), 1);
  EXPECT_EQ(list(), first);
  EXPECT_EQ(switchOf(list(), "L1"), firstSwitch) << "a device keeps its row";
  EXPECT_EQ(foundation::NotificationCenter::defaultCenter().observerCount(), observers);
  EXPECT_EQ(list()->sensors().size(), 3u);
  EXPECT_EQ(shown("L1") + shown("L2") + shown("L3"), "onoffoff");
  EXPECT_EQ(list()->height(), DeviceScreen::kListHeight);
}

TEST_F(DeviceListTest, ARefusedCommandPutsTheRowBackToWhatTheServiceLastConfirmed) {
  struct Case {
    const char* name;
    ScreenFactory make;
    Device device;
    QString firstTouch, firstCommand, secondTouch, secondCommand;
    QString confirmed;  // shown after the second command is refused
    HttpResponse refusal;
  };
  const Case cases[] = {
      {"light", kLighting, {"L1", "P0RD", "OFF"}, "toggle", "L1=ON", "toggle", "L1=OFF", "on",
       HttpResponse::text(503, "down")},
      {"shutter", kShutters, {"V1", "P0MF30", "CLOSE"}, "toggle", "V1=OPEN", "toggle", "V1=CLOSE", "on",
       HttpResponse::text(600, "gateway off")},
      {"thermostat", kHeating, {"R", "P1WT", "ECO"}, "3", "R=COMFORT", "1", "R=FROSTGUARD", "3",
       HttpResponse::json(500, R"({"error": "refused"})")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(c.make, {c.device});
    EXPECT_EQ(commandAnswered([&] { touch(c.device.serial, c.firstTouch); }, HttpResponse::json(200, "")), c.firstCommand);
    EXPECT_EQ(commandAnswered([&] { touch(c.device.serial, c.secondTouch); }, c.refusal), c.secondCommand);
    // The store still holds the status of the list answer; the accepted command is what counts.
    EXPECT_EQ(shown(c.device.serial), c.confirmed);
  }
}

TEST_F(DeviceListTest, ATouchThatDoesNotCompleteSendsNothingAndChangesNothing) {
  enum class Gesture { ScrolledAway, LiftedOutside, RebuiltUnderTheFinger };
  struct Case {
    const char* name;
    ScreenFactory make;
    Device device;    // eight of them, so that the area scrolls; the first is touched
    QString control;  // "toggle" or the position touched
    Gesture gesture;
  };
  const Case cases[] = {
      {"switch scrolled away", kLighting, {"", "P0RD", "OFF"}, "toggle", Gesture::ScrolledAway},
      {"switch rebuilt under the finger", kLighting, {"", "P0RD", "OFF"}, "toggle", Gesture::RebuiltUnderTheFinger},
      {"selector scrolled away", kHeating, {"", "P1WT", "ECO"}, "3", Gesture::ScrolledAway},
      {"selector lifted outside", kHeating, {"", "P1WT", "ECO"}, "3", Gesture::LiftedOutside},
      {"selector rebuilt under the finger", kHeating, {"", "P1WT", "ECO"}, "3", Gesture::RebuiltUnderTheFinger},
  };
  static const char* const serials[] = {"D0", "D1", "D2", "D3", "D4", "D5", "D6", "D7"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Device> devices;
    for (const char* serial : serials) devices.push_back({serial, c.device.type, c.device.status});
    open(c.make, devices);
    const QString before = shown("D0");
    QWidget* control = c.control == "toggle" ? static_cast<QWidget*>(switchOf(list(), "D0"))
                                             : positionOf(list(), "D0", c.control.toInt());
    ASSERT_NE(control, nullptr);
    const QPoint centre = control->rect().center();
    uitest::press(control, centre);
    switch (c.gesture) {
      case Gesture::ScrolledAway:
        // The finger moves before the control takes the touch: the area scrolls instead.
        uitest::move(control, centre + QPoint(0, -40), 20);
        uitest::move(control, centre + QPoint(0, -80), 20);
        uitest::release(control, centre + QPoint(0, -80), 20);
        EXPECT_GT(screen->tableScrollView()->contentOffset().y(), 0.0);
        break;
      case Gesture::LiftedOutside:
        clock.advanceBy(0.2);  // the control takes the touch
        uitest::move(control, centre + QPoint(0, 60), 200);
        uitest::release(control, centre + QPoint(0, 60), 200);
        break;
      case Gesture::RebuiltUnderTheFinger:
        clock.advanceBy(0.2);
        answerAgain(devices);
        uitest::release(control, centre);
        break;
    }
    tbtest::processEventsFor(50);
    EXPECT_EQ(shown("D0"), before);
    EXPECT_TRUE(commands().isEmpty()) << commands().join(", ").toStdString();
    screen.reset();
    server.server().clearRecordedRequests();
  }
}

TEST_F(DeviceListTest, ARefusedPulseFreesTheSwitchAtOnce) {
  open(kShutters, {{"G", "P0MKG", "OFF"}});
  auto* pulse = qobject_cast<CustomAutoSwitch*>(switchOf(list(), "G"));
  ASSERT_NE(pulse, nullptr);
  EXPECT_EQ(commandAnswered([&] { uitest::tap(pulse); }, HttpResponse::text(600, "gateway off")), "G=TOGGLE");
  EXPECT_FALSE(pulse->isOn());
  EXPECT_FALSE(pulse->isReturnPending());
  EXPECT_TRUE(pulse->isUserInteractionEnabled());
}

}  // namespace
