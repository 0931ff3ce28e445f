// The safety screen against a scripted service: what it shows from a mode list, what each control
// sends, and what a refused command puts back.
#include "../support/ScreenHarness.h"
#include "support/Wait.h"
#include "support/server/TestServer.h"
#include "UiTestSupport.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BEServiceMode.h"
#include "backend/BESessionManager.h"
#include "backend/BackendReset.h"
#include "backend/records/AuthRecords.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"
#include "screens/energies/MyEnergiesController.h"
#include "screens/safety/MySafetyController.h"
#include "ui/Animation.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <memory>

namespace {

using simcore::HttpResponse;

HttpResponse modeList(const char* intrusion, const char* domestic, const char* assistance) {
  QJsonArray list;
  const std::pair<const char*, const char*> modes[] = {{"INTRUSION", intrusion}, {"DOMESTIC", domestic}, {"ASSISTANCE", assistance}};
  for (const auto& [domain, mode] : modes)
    if (mode) list.append(QJsonObject{{"subCategory", domain}, {"mode", mode}});
  return HttpResponse::json(200, QJsonDocument(QJsonObject{{"modeList", list}}).toJson(QJsonDocument::Compact));
}

HttpResponse accepted() { return HttpResponse::json(200, "{}"); }
HttpResponse refused() { return HttpResponse::json(503, "{}"); }

class SafetyControllerTest : public ::testing::Test {
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
    for (const char* name : {kSuccessModeGetList, kErrorModeGetList})
      m_observations.add(name, [this](const foundation::Notification&) { ++listAnswers; });
    for (const char* name : {kSuccessModePutMode, kErrorModePutMode})
      m_observations.add(name, [this](const foundation::Notification&) { ++commandAnswers; });
  }

  void TearDown() override {
    screen.reset();
    backend::resetAllSingletons();
    foundation::setScheduler(nullptr);
  }

  // A screen opened on an empty store: it would show the modes already stored at once.
  MySafetyController* open(HttpResponse answer) {
    BESessionManager::getInstance().setModes({});
    server.script().enqueue(std::move(answer));
    screen = std::make_unique<MySafetyController>();
    screen->view()->show();
    EXPECT_TRUE(tbtest::waitUntil([&] { return listAnswers > 0; })) << "the mode list was never answered";
    return screen.get();
  }

  // The mode commands the service received, as "DOMAIN=mode".
  QStringList commands() const {
    QStringList sent;
    for (const simcore::HttpRequest& r : server.requests()) {
      if (r.method != "PUT") continue;
      const QString path = QString::fromLatin1(r.path);
      const QString domain = path.section(QLatin1Char('/'), -3, -3);
      sent << domain + "=" + QJsonDocument::fromJson(r.body).object().value("value").toString();
    }
    return sent;
  }

  // Runs `touch`, whose command is answered with `answer`, and waits for the answer.
  void answered(const std::function<void()>& touch, HttpResponse answer) {
    server.script().enqueue(std::move(answer));
    const int before = commandAnswers;
    touch();
    EXPECT_TRUE(tbtest::waitUntil([&] { return commandAnswers > before; })) << "no command answered";
  }

  // What the three controls show: "<intrusion position> <domestic> <home help>".
  QString shown() const {
    return QStringLiteral("%1 %2 %3")
        .arg(screen->sliderAlarm()->selectedSection())
        .arg(screen->switchDomestic()->isOn() ? "on" : "off")
        .arg(screen->switchHomehelp()->isOn() ? "on" : "off");
  }

  tbtest::TestServer server;
  foundation::ManualClock& clock = shelltest::processClock();
  std::unique_ptr<MySafetyController> screen;
  int listAnswers = 0;
  int commandAnswers = 0;

 private:
  foundation::Observations m_observations;
};

}  // namespace

TEST_F(SafetyControllerTest, ShowsTheModesOfTheList) {
  struct Case {
    const char* what;
    std::function<HttpResponse()> answer;
    const char* shown;
  };
  const Case cases[] = {
      {"total, domestic off, home help on", [] { return modeList("ON", "OFF", "ON"); }, "2 off on"},
      {"partial, domestic on", [] { return modeList("PRESENCE", "ON", "OFF"); }, "1 on off"},
      {"an empty list", [] { return modeList(nullptr, nullptr, nullptr); }, "0 off off"},
      {"a mode the selector has no position for", [] { return modeList("ARMED", "ON", nullptr); }, "0 on off"},
      {"a failed fetch", [] { return HttpResponse::json(500, "{}"); }, "0 off off"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    listAnswers = 0;
    open(c.answer());
    EXPECT_EQ(shown(), c.shown);
  }
}

TEST_F(SafetyControllerTest, EachControlSendsItsDomainAndTheModeItShows) {
  open(modeList("OFF", "ON", "ON"));
  answered([&] { uitest::tap(screen->sliderAlarm()->btn2()); }, accepted());
  answered([&] { uitest::tap(screen->sliderAlarm()->btn3()); }, accepted());
  answered([&] { uitest::tap(screen->switchHomehelp()); }, accepted());
  answered([&] { uitest::tap(screen->switchDomestic()); }, accepted());
  EXPECT_EQ(commands(), (QStringList{"INTRUSION=PRESENCE", "INTRUSION=ON", "ASSISTANCE=OFF", "DOMESTIC=OFF"}));
  EXPECT_EQ(shown(), "2 off off");
}

// After an accepted change the new mode is the confirmed one: a later refusal goes back to it,
// never to the mode first fetched nor to the refused one.
TEST_F(SafetyControllerTest, ARefusalPutsBackTheLastAcceptedMode) {
  open(modeList("OFF", "ON", "OFF"));
  answered([&] { uitest::tap(screen->sliderAlarm()->btn2()); }, accepted());
  answered([&] { uitest::tap(screen->switchDomestic()); }, accepted());
  ASSERT_EQ(shown(), "1 off off");
  answered([&] { uitest::tap(screen->sliderAlarm()->btn3()); }, refused());
  answered([&] { uitest::tap(screen->switchDomestic()); }, refused());
  EXPECT_EQ(shown(), "1 off off");
  EXPECT_EQ(screen->confirmedMode("INTRUSION"), "PRESENCE");
  EXPECT_EQ(screen->confirmedMode("DOMESTIC"), "OFF");
}

TEST_F(SafetyControllerTest, ARefusalWithNothingConfirmedPutsBackWhatWasShown) {
  open(HttpResponse::json(500, "{}"));
  answered([&] { uitest::tap(screen->sliderAlarm()->btn3()); }, refused());
  answered([&] { uitest::tap(screen->switchHomehelp()); }, refused());
  EXPECT_EQ(shown(), "0 off off");
}

TEST_F(SafetyControllerTest, AModeListAskedForElsewhereIsShownToo) {
  open(modeList("OFF", "OFF", "OFF"));
  server.script().enqueue(modeList("ON", "ON", "ON"));
  const int before = listAnswers;
  BEServiceMode::getInstance().getList();
  ASSERT_TRUE(tbtest::waitUntil([&] { return listAnswers > before; }));
  EXPECT_EQ(shown(), "2 on on");
  EXPECT_EQ(screen->confirmedMode("ASSISTANCE"), "ON");
}

TEST_F(SafetyControllerTest, ATapThatEndsOffTheButtonSendsNothingAndChangesNothing) {
  open(modeList("PRESENCE", "OFF", "OFF"));
  CustomButton* total = screen->sliderAlarm()->btn3();
  uitest::press(total, QPoint(35, 30));
  uitest::move(total, QPoint(35, 200));
  uitest::release(total, QPoint(35, 200));
  // Anything sent would be answered by the fallback; give it the time to arrive.
  server.script().enqueue(modeList("PRESENCE", "OFF", "OFF"));
  const int before = listAnswers;
  screen->callGetMode();
  ASSERT_TRUE(tbtest::waitUntil([&] { return listAnswers > before; }));
  EXPECT_TRUE(commands().isEmpty());
  EXPECT_EQ(shown(), "1 off off");
}

TEST_F(SafetyControllerTest, EnergiesAsksNothing) {
  MyEnergiesController energies;
  energies.view()->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(server.requestCount(), 0);
}
