// The weather screen against the simulated service, on the manual clock: the station check, the
// refresh and its five seconds, the seven periods on their sheets, paging, and every way it fails.
#include "../support/ScreenHarness.h"

#include "backend/BESessionManager.h"
#include "backend/records/WeatherRecords.h"
#include "controls/weather/CustomPageControl2.h"
#include "controls/weather/MenuComponent.h"
#include "controls/weather/UnitBlock.h"
#include "controls/weather/WeatherModel.h"
#include "foundation/Strings.h"
#include "screens/weather/MyWeatherController.h"
#include "support/Wait.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/PageIndicator.h"
#include "ui/ProgressHUD.h"
#include "ui/UiTestSupport.h"

#include <QJsonDocument>

namespace {

using Phase = MyWeatherController::Phase;
using screentest::ScreenTest;

class WeatherScreenTest : public ScreenTest {
 protected:
  // The periods asked for so far, in order.
  int averageRequests() const {
    int count = 0;
    for (const auto& r : sim->server().recordedRequests())
      if (r.method == "POST" && r.path.contains("/weather/average")) ++count;
    return count;
  }
  bool overlayShown() const { return app->progressHUD() && app->progressHUD()->isShowing(); }
  MyWeatherController* openWeather() { return open<MyWeatherController>("MyWeatherController", Until::NetworkIdle); }
  // Chooses menu button `index` as a finger would and waits for the answer.
  void choose(MyWeatherController* screen, int index) {
    uitest::tap(screen->menu()->button(index));
    ASSERT_TRUE(waitNetworkIdle());
  }
  void showPage(MyWeatherController* screen, int page) {
    screen->pageControlPages()->pageControl()->setCurrentPage(page);
    screen->pageControlPages()->changePage();
    ASSERT_TRUE(waitNetworkIdle());
  }
  static QString outdoorNow(MyWeatherController* screen, int sheet) {
    return screen->modelScreenPage(sheet)->temperatureOutDoor[0]->blockValue()->text();
  }
};

TEST_F(WeatherScreenTest, TodayShowsAtOnceThenAgainFiveSecondsAfterTheStationIsReadAndEachPeriodFillsItsSheet) {
  // Nothing stored: today's last figures are asked at once, while the station is read.
  auto* screen = openWeather();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->phase(), Phase::Showing);
  EXPECT_FALSE(overlayShown());
  EXPECT_EQ(averageRequests(), 1);
  BESessionManager& store = BESessionManager::getInstance();
  ASSERT_NE(store.weatherDayAverage(), nullptr);
  EXPECT_EQ(outdoorNow(screen, 0), QString::fromStdString(*store.weatherDayAverage()->temp_out_current));

  advance(MyWeatherController::kWaitSeconds - 0.1);
  EXPECT_EQ(averageRequests(), 1);
  advance(0.1);
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(averageRequests(), 2);
  ASSERT_NE(store.weatherDayAverage(), nullptr);
  EXPECT_EQ(outdoorNow(screen, 0), QString::fromStdString(*store.weatherDayAverage()->temp_out_current));

  // Yesterday, the week and the month on the first sheet; the second is left alone.
  for (int button : {1, 2, 3}) choose(screen, button);
  ASSERT_NE(store.weatherMonthAverage(), nullptr);
  EXPECT_EQ(outdoorNow(screen, 0), QString::fromStdString(*store.weatherMonthAverage()->temp_out_current));
  EXPECT_EQ(outdoorNow(screen, 1), "--");

  // The first move to the second sheet (a swipe across the sheet) asks for last month; moving back
  // and again asks nothing.
  // (Positions in the paged area, which stays put while the sheets move under the finger.)
  uitest::drag(screen->pageControlPages()->scrollView(), {300, 150}, {20, 150}, 10, 150);
  ASSERT_TRUE(waitNetworkIdle());
  EXPECT_EQ(screen->pageControlPages()->currentPage(), 1);
  EXPECT_EQ(screen->selectedPage(), 1);
  EXPECT_EQ(averageRequests(), 6);
  ASSERT_NE(store.weatherPreviousMonthAverage(), nullptr);
  EXPECT_EQ(outdoorNow(screen, 1), QString::fromStdString(*store.weatherPreviousMonthAverage()->temp_out_current));
  showPage(screen, 0);
  showPage(screen, 1);
  EXPECT_EQ(averageRequests(), 6);

  // This year, then last year, on the second sheet; the first keeps the month.
  const QString month = outdoorNow(screen, 0);
  choose(screen, 5);
  choose(screen, 6);
  EXPECT_EQ(averageRequests(), 8);
  ASSERT_NE(store.weatherPreviousYearAverage(), nullptr);
  EXPECT_EQ(outdoorNow(screen, 1), QString::fromStdString(*store.weatherPreviousYearAverage()->temp_out_current));
  EXPECT_EQ(outdoorNow(screen, 0), month);
  EXPECT_NE(store.weatherYearAverage(), nullptr);
  EXPECT_EQ(outdoorNow(screen, 2), "--") << "the third sheet receives nothing";
  EXPECT_EQ(alertCount(), 0);

  // The next visit shows what is stored at once, on both sheets, and asks again: today after the
  // station's reading, last month on the first look past the first sheet.
  app->navigationController()->popToRootViewControllerAnimated(false);
  ASSERT_TRUE(waitIdle());
  ASSERT_NE(store.weatherPreviousMonthAverage(), nullptr);
  screen = openWeather();
  EXPECT_EQ(screen->phase(), Phase::Showing);
  EXPECT_EQ(averageRequests(), 8);
  EXPECT_EQ(outdoorNow(screen, 1), QString::fromStdString(*store.weatherPreviousMonthAverage()->temp_out_current));
  advance(MyWeatherController::kWaitSeconds);
  ASSERT_TRUE(waitIdle());
  showPage(screen, 2);
  EXPECT_EQ(averageRequests(), 10);
}

TEST_F(WeatherScreenTest, AScreenThatWentHearsNothingMoreAndAsksNothingMore) {
  openWeather();
  app->navigationController()->popToRootViewControllerAnimated(false);
  ASSERT_TRUE(waitIdle());
  EXPECT_FALSE(overlayShown());
  const int asked = averageRequests();
  advance(MyWeatherController::kWaitSeconds * 2);
  ASSERT_TRUE(waitNetworkIdle());
  EXPECT_EQ(averageRequests(), asked);

  // A period asked for just before leaving: its late answer changes nothing.
  auto* screen = openWeather();
  advance(MyWeatherController::kWaitSeconds);
  ASSERT_TRUE(waitIdle());
  sim->control("POST", QStringLiteral("/_sim/latency"), R"({"ms": 300})");
  uitest::tap(screen->menu()->button(6));
  app->navigationController()->popToRootViewControllerAnimated(false);
  ASSERT_TRUE(waitIdle());
  EXPECT_FALSE(overlayShown());
  EXPECT_EQ(alertCount(), 0);
}

TEST_F(WeatherScreenTest, AFailedStationCheckSaysTheFiguresCouldNotBeReadAndCanBeTriedAgain) {
  // A server error and a gateway code raise their alert; a dropped connection raises none. None of
  // them means there is no station.
  struct Failure {
    const char* what;
    QJsonObject rule;
    int alerts;
  };
  const Failure failures[] = {
      {"server error", {{"path", "/device/exist/:kind"}, {"method", "GET"}, {"status", 503}}, 1},
      {"gateway off line", {{"path", "/device/exist/:kind"}, {"method", "GET"}, {"status", 600}}, 1},
      {"no answer", {{"path", "/device/exist/:kind"}, {"effect", "close-before-answer"}, {"count", 2}}, 0},
  };
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.what);
    ASSERT_EQ(sim->control("POST", QStringLiteral("/_sim/fail"), QJsonDocument(f.rule).toJson()).status / 100, 2);
    auto* screen = open<MyWeatherController>("MyWeatherController");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->phase(), Phase::CheckFailed);
    EXPECT_EQ(screen->messageLabel()->text(), foundation::localized("WeatherReadFailed"));
    EXPECT_NE(screen->messageLabel()->text(), foundation::localized("You don't have weather station."));
    EXPECT_EQ(alertCount(), f.alerts);
    EXPECT_FALSE(overlayShown());
    while (alertCount() > 0) dismissAlert();

    // Usable: asking again builds the sheets.
    uitest::tap(screen->retryButton());
    ASSERT_TRUE(waitNetworkIdle());
    EXPECT_EQ(screen->phase(), Phase::Showing) << "today's last figures show at once";
    EXPECT_TRUE(screen->messageLabel()->isHidden());
    advance(MyWeatherController::kWaitSeconds);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(screen->phase(), Phase::Showing);
    app->navigationController()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(waitIdle());
  }
}

TEST_F(WeatherScreenTest, AFailedRefreshAsksForTodayAtOnceAndAFailedPeriodEmptiesItsSheet) {
  gatewayOffline(true);  // the refresh answers 600
  auto* screen = open<MyWeatherController>("MyWeatherController");
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->phase(), Phase::Showing);
  EXPECT_EQ(alertCount(), 1);
  dismissAlert();
  EXPECT_NE(outdoorNow(screen, 0), "--");

  fail(QStringLiteral("/weather/average"), QStringLiteral("POST"), 500);
  choose(screen, 1);
  EXPECT_EQ(outdoorNow(screen, 0), "--");
  EXPECT_EQ(screen->modelScreenPage(0)->temperatureOutDoor[3]->blockHour()->text(), "");
  EXPECT_EQ(alertCount(), 1);
}

class EmptyHomeWeatherTest : public WeatherScreenTest {
 protected:
  QString userName() const override { return QStringLiteral("vide"); }
  QString password() const override { return QStringLiteral("vide"); }
};

TEST_F(EmptyHomeWeatherTest, WithoutAStationTheScreenSaysSo) {
  auto* screen = open<MyWeatherController>("MyWeatherController");
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->phase(), Phase::NoStation);
  EXPECT_EQ(screen->messageLabel()->text(), foundation::localized("You don't have weather station."));
  EXPECT_TRUE(screen->retryButton()->isHidden());
  EXPECT_EQ(screen->pageControlPages(), nullptr);
  EXPECT_EQ(alertCount(), 0);
  EXPECT_FALSE(overlayShown());
  advance(MyWeatherController::kWaitSeconds);
  EXPECT_EQ(averageRequests(), 0);
}

}  // namespace
