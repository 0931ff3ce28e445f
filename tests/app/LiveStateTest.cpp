// The open screen kept current, and the service's reach shown, against the simulated service.
#include "screens/support/ScreenHarness.h"

#include "app/LiveState.h"
#include "app/ScreenCatalog.h"
#include "controls/switches/CustomSwitch.h"
#include "screens/lighting/MyLightingController.h"
#include "screens/settings/MySettingsController.h"
#include "ui/NavigationController.h"
#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDevice.h"
#include "backend/ServiceCalls.h"
#include "backend/SignInGate.h"
#include "backend/ServiceReachability.h"
#include "backend/StoredAnswers.h"
#include "controls/Refreshable.h"
#include "foundation/Strings.h"
#include "support/Wait.h"
#include "ui/ScrollView.h"

#include <QRegularExpression>

namespace screentest {
namespace {

constexpr const char* kStandIn = "MyEnergiesController";  // a menu entry the test screen stands in for

class RefreshCountingScreen : public ui::Screen, public controls::Refreshable {
 public:
  void refresh() override {
    ++refreshes;
    m_calls.call(BEServiceDevice::getInstance().getList(), {}, {});
  }
  ui::ScrollView* refreshScrollView() override { return m_list; }
  int refreshes = 0;

 protected:
  void viewDidLoad() override { m_list = new ui::ScrollView(QRect(0, 0, 320, 400), view()); }

 private:
  ui::ScrollView* m_list = nullptr;
  backend::ServiceCalls m_calls;
};

class LiveStateTest : public ScreenTest {
 protected:
  void SetUp() override {
    app::ScreenCatalog::shared().registerScreen(kStandIn, [] { return new RefreshCountingScreen(); });
    ScreenTest::SetUp();
  }
  void TearDown() override {
    ScreenTest::TearDown();
    app::ScreenCatalog::shared().unregisterScreen(kStandIn);
    app::registerKnownScreens(app::ScreenCatalog::shared());
  }
  app::LiveState& live() { return *app->liveState(); }
};

TEST_F(LiveStateTest, TheOpenScreenReadsAgainOnItsIntervalAndWhenPulledPastItsTop) {
  auto* screen = open<RefreshCountingScreen>(kStandIn);
  ASSERT_NE(screen, nullptr);
  advance(29.0);
  EXPECT_EQ(screen->refreshes, 0);
  advance(1.0);
  EXPECT_EQ(screen->refreshes, 1);
  ASSERT_TRUE(waitIdle());

  emit screen->refreshScrollView()->dragReleased(QPointF(0, -20));  // not far enough
  EXPECT_EQ(screen->refreshes, 1);
  emit screen->refreshScrollView()->dragReleased(QPointF(0, -app::LiveState::kPullDistance - 5));
  EXPECT_EQ(screen->refreshes, 2);
  ASSERT_NE(live().pullSpinner(), nullptr);
  EXPECT_TRUE(live().pullSpinner()->isAnimating());
  ASSERT_TRUE(tbtest::waitUntil([&] { return !live().pullSpinner()->isAnimating(); })) << "the spinner stays";
}

TEST_F(LiveStateTest, TheIntervalChosenInTheSettingsAppliesAtOnceAndAtTheNextStart) {
  // Each case: the choice, then how long the open screen waits before its first read (0: never).
  for (const auto& [chosen, relaunched] : {std::pair{15, false}, {0, false}, {15, true}}) {
    SCOPED_TRACE(QStringLiteral("%1 s%2").arg(chosen).arg(relaunched ? ", next start" : "").toStdString());
    MySettingsController settings;
    settings.chooseRefreshInterval(chosen);
    if (relaunched) relaunch();
    auto* screen = open<RefreshCountingScreen>(kStandIn);
    ASSERT_NE(screen, nullptr);
    advance(chosen > 0 ? chosen - 1.0 : 120.0);
    EXPECT_EQ(screen->refreshes, 0);
    advance(1.0);
    EXPECT_EQ(screen->refreshes, chosen > 0 ? 1 : 0);
    ASSERT_TRUE(waitIdle());
    app->navigationController()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(waitIdle());
  }
}

TEST_F(LiveStateTest, AServiceOutOfReachShowsTheBannerRefusesCommandsAndComesBack) {
  auto* screen = open<RefreshCountingScreen>(kStandIn);
  ASSERT_NE(screen, nullptr);
  const quint16 port = quint16(sim->server().baseUrl().port());
  sim->server().close();

  backend::ServiceCalls calls;
  int errors = 0;
  calls.call(BEServiceDevice::getInstance().getList(), {}, [&] { ++errors; });
  ASSERT_TRUE(tbtest::waitUntil([&] { return errors == 1; }));
  EXPECT_TRUE(live().banner()->isVisible());
  EXPECT_EQ(live().banner()->text(), foundation::localized("kTradOfflineBanner"));

  // A command goes nowhere: refused at once, with one alert that says why.
  const qsizetype before = sim->server().recordedCount();
  int refused = 0;
  calls.call(BEServiceDevice::getInstance().putStatusWithId("ON", "LGT-SALON"), {}, [&] { ++refused; });
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(alertCount(), 1);
  EXPECT_EQ(topAlertMessage(), foundation::localized("kTradAlertOffline"));
  dismissAlert();
  // One the app sends by itself (a camera's picture session, at every refresh) is refused too,
  // without a word: the user did not ask for it.
  {
    const backend::SentByTheApp byTheApp;
    calls.call(BEServiceCamera::getInstance().putStartImageSessionWithId(QStringLiteral("0")), {}, [&] { ++refused; });
  }
  EXPECT_EQ(refused, 2);
  EXPECT_EQ(alertCount(), 0);
  EXPECT_EQ(sim->server().recordedCount(), before);

  // The service is back: the next probe finds it, the banner goes and the screen reads again.
  ASSERT_TRUE(sim->server().listen(QHostAddress::LocalHost, port));
  const int refreshesBefore = screen->refreshes;
  // (The first probe may meet a connection the old server left half-closed: the next one goes.)
  for (int round = 0; round < 3 && live().banner()->isVisible(); ++round) {
    advance(backend::ServiceReachability::kDefaultProbeInterval);
    tbtest::waitUntil([&] { return !live().banner()->isVisible(); }, 2000);
  }
  ASSERT_FALSE(live().banner()->isVisible());
  EXPECT_EQ(screen->refreshes, refreshesBefore + 1);
}

}  // namespace
}  // namespace screentest

namespace screentest {
namespace {

using LiveScreenTest = ScreenTest;

TEST_F(LiveScreenTest, AChangeMadeByAnotherUserAppearsOnTheOpenScreenByItself) {
  auto* lighting = open<MyLightingController>("MyLightingController");
  ASSERT_NE(lighting, nullptr);
  devicelist::DeviceCell* cell = lighting->listTableView()->cellForSerial(QStringLiteral("LGT-CUISINE"));
  ASSERT_NE(cell, nullptr);
  ASSERT_FALSE(cell->switchControl()->isOn());

  // Nothing changed: the service answers "not modified" and the list is not rebuilt.
  int rebuilds = 0;
  QObject::connect(lighting->listTableView(), &devicelist::DeviceListTableView::contentHeightChanged, [&] { ++rebuilds; });
  advance(30.0);
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(rebuilds, 0);

  // "anne" switches the kitchen light on from her own phone.
  const auto answer = sim->call("PUT", QStringLiteral("/device/status"), R"({"status": "ON", "serial": "LGT-CUISINE"})");
  ASSERT_EQ(answer.status / 100, 2);

  advance(30.0);  // the screen reads again on its own
  ASSERT_TRUE(waitIdle());
  cell = lighting->listTableView()->cellForSerial(QStringLiteral("LGT-CUISINE"));
  ASSERT_NE(cell, nullptr);
  EXPECT_TRUE(cell->switchControl()->isOn());
}

}  // namespace
}  // namespace screentest

namespace screentest {
namespace {

using StartFromCacheTest = ScreenTest;

// A later run shows what the earlier one last heard at once, says so, and takes the service's
// answer when it comes.
TEST_F(StartFromCacheTest, ALaterRunShowsTheStoredListMarkedUntilTheServiceAnswers) {
  ASSERT_NE(open<MyLightingController>("MyLightingController"), nullptr);  // stores the device list
  // Meanwhile "anne" switches the kitchen light on.
  ASSERT_EQ(sim->call("PUT", QStringLiteral("/device/status"), R"({"status": "ON", "serial": "LGT-CUISINE"})").status / 100, 2);

  relaunch();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(waitIdle());
  EXPECT_TRUE(backend::StoredAnswers::getInstance().isFromEarlierRun(backend::DataSet::Devices));
  fail(QStringLiteral("/device"), QStringLiteral("GET"), 503);  // the first fresh read is lost
  auto* lighting = open<MyLightingController>("MyLightingController");
  ASSERT_NE(lighting, nullptr);
  auto kitchenIsOn = [&] {
    devicelist::DeviceCell* cell = lighting->listTableView()->cellForSerial(QStringLiteral("LGT-CUISINE"));
    return cell && cell->switchControl()->isOn();
  };
  EXPECT_FALSE(kitchenIsOn());  // as the earlier run left it
  ui::Label* banner = app->liveState()->storedBanner();
  EXPECT_FALSE(banner->isHidden());
  EXPECT_TRUE(banner->text().contains(QRegularExpression(QStringLiteral("\\d\\d:\\d\\d")))) << banner->text().toStdString();
  EXPECT_EQ(alertCount(), 1);
  dismissAlert();

  lighting->refresh();
  ASSERT_TRUE(waitIdle());
  EXPECT_TRUE(kitchenIsOn());
  EXPECT_TRUE(banner->isHidden());
}

}  // namespace
}  // namespace screentest
