// The weather panels, the period menu and the sheets' paging, driven by touches offscreen.
#include "controls/weather/CustomInOut.h"
#include "controls/weather/CustomPageControl2.h"
#include "controls/weather/MenuComponent.h"
#include "controls/weather/UnitBlock.h"
#include "controls/weather/WeatherModel.h"

#include "backend/records/WeatherRecords.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Strings.h"
#include "ui/Animation.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/PageIndicator.h"
#include "ui/UiTestSupport.h"

#include <QAbstractAnimation>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

QString L(const char* key) { return foundation::localized(key); }

// Local time one hour ahead of UTC all year round, for the duration of a test.
class FixedZone {
 public:
  FixedZone() {
    const char* old = std::getenv("TZ");
    m_old = old ? QByteArray(old) : QByteArray();
    m_had = old != nullptr;
    qputenv("TZ", "CET-1");
    tzset();
  }
  ~FixedZone() {
    if (m_had) qputenv("TZ", m_old);
    else qunsetenv("TZ");
    tzset();
  }

 private:
  QByteArray m_old;
  bool m_had = false;
};

TEST(UnitBlockTest, ValuesShowAsReceivedWithTheirUnitAndTrend) {
  QWidget host;
  auto* block = UnitBlock::withIndicator({0, 0}, "T", "21.456", "c", "H", &host);
  EXPECT_EQ(block->blockValue()->text(), "21.456");
  EXPECT_EQ(block->blockUnit()->text(), "°C");
  EXPECT_EQ(block->blockImg()->imageName(), "weather_indicator_up.png");
  EXPECT_EQ(block->blockIndicator()->text(), L("Up"));

  struct Trend {
    const char* code;
    const char* image;
    const char* word;
  };
  for (const Trend& t : {Trend{"B", "weather_indicator_down.png", "Down"}, Trend{"S", "weather_indicator_same.png", "Steady"},
                         Trend{"", "weather_indicator_same.png", "Steady"}, Trend{"X", "weather_indicator_same.png", "Steady"}}) {
    block->changeValueAndTrend("", t.code);
    EXPECT_EQ(block->blockValue()->text(), "--") << t.code;
    EXPECT_EQ(block->blockImg()->imageName(), t.image) << t.code;
    EXPECT_EQ(block->blockIndicator()->text(), L(t.word)) << t.code;
  }
  for (auto [code, shown] : {std::pair{"mm", "mm"}, {"hpa", "hPa"}, {"kmh", "km/h"}, {"%", "%"}, {"_", ""}, {"K", "--"}})
    EXPECT_EQ(UnitBlock::unitText(code), QString::fromUtf8(shown)) << code;
}

TEST(UnitBlockTest, DatesAreOnThe24HourClockAndOnlyANumberIsADate) {
  FixedZone zone;
  QWidget host;
  auto* block = UnitBlock::withHour({0, 0}, "T", "", "c", "_", &host);
  EXPECT_EQ(block->blockHour()->text(), "");
  block->changeValueAndDate("12.5", "1364992200000");  // 3 April 2013, 12:30 UTC
  EXPECT_EQ(block->blockHour()->text(), L("WeatherDateLine").arg("03/04", "13:30"));
  // Not a date: nothing, rather than 1 January 1970.
  for (const char* notADate : {"_", "", "demain", "1364992200000ms", "13.5e11"}) {
    block->changeValueAndDate("12.5", notADate);
    EXPECT_EQ(block->blockHour()->text(), "") << notADate;
  }
}

TEST(UnitBlockTest, TheWindDirectionIsOneOfSixteenCompassPoints) {
  QWidget host;
  auto* block = UnitBlock::withDirection({0, 0}, "T", &host);
  for (auto [text, key] : {std::pair{"0", "North"}, {"22.5", "North Northeast"}, {"112.5", "South East East"},
                           {"337.5", "North Northwest"}}) {
    block->changeDirection(text);
    EXPECT_EQ(block->blockValue()->text(), L(key)) << text;
  }
  for (const char* other : {"360", "22.50", "N", ""}) {
    block->changeDirection(other);
    EXPECT_EQ(block->blockValue()->text(), "--") << other;
  }
}

class WeatherModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(320, 1433);
    model = new WeatherModel(QRect(0, 0, 320, 0), &host);
    host.show();
  }
  QWidget host;
  WeatherModel* model = nullptr;
};

TEST_F(WeatherModelTest, AnEmptyRecordShowsDashesSteadyTrendsAndNoDates) {
  VOWeather full;
  full.temp_out_current = "3.5";
  full.temp_out_min_date = "1364992200000";
  full.wind_direction = "90";
  model->changeWeatherValues(&full);
  model->changeWeatherValues(nullptr);
  for (UnitBlock* block : model->findChildren<UnitBlock*>()) {
    EXPECT_EQ(block->blockValue()->text(), "--") << block->blockTitle()->text().toStdString();
    if (block->blockIndicator()) {
      EXPECT_EQ(block->blockIndicator()->text(), L("Steady"));
    }
    if (block->blockHour()) {
      EXPECT_EQ(block->blockHour()->text(), "");
    }
  }
}

TEST_F(WeatherModelTest, EachFigureLandsInItsBlock) {
  FixedZone zone;
  VOWeather w;
  w.temp_in_current = "21.4";
  w.temp_out_max = "9.5";
  w.temp_out_max_date = "1364992200000";
  w.humidity_in_min = "38";
  w.pressure_average = "1013";
  w.pressure_trend = "B";
  w.wind_current = "12";
  w.wind_average = "7";
  w.wind_max = "31";
  w.wind_max_date = "1364992200000";
  w.wind_direction = "225";
  w.rain_last_hour = "0.4";
  w.rain_total = "12.5";
  model->changeWeatherValues(&w);
  EXPECT_EQ(model->temperature[0]->blockValue()->text(), "21.4");
  EXPECT_EQ(model->temperatureOutDoor[3]->blockValue()->text(), "9.5");
  EXPECT_EQ(model->temperatureOutDoor[3]->blockHour()->text(), L("WeatherDateLine").arg("03/04", "13:30"));
  EXPECT_EQ(model->humidity[2]->blockValue()->text(), "38");
  EXPECT_EQ(model->atmosphericPressure[1]->blockValue()->text(), "1013");
  EXPECT_EQ(model->atmosphericPressure[1]->blockIndicator()->text(), L("Down"));
  // wind1 and wind3 share the first row, wind2 and wind4 the second.
  EXPECT_EQ(model->wind[0]->blockValue()->text(), "12");
  EXPECT_EQ(model->wind[2]->blockValue()->text(), "7");
  EXPECT_EQ(model->wind[1]->blockValue()->text(), "31");
  EXPECT_EQ(model->wind[1]->blockHour()->text(), L("WeatherDateLine").arg("03/04", "13:30"));
  EXPECT_EQ(model->wind[3]->blockValue()->text(), L("Southwest"));
  EXPECT_EQ(model->rain[0]->blockValue()->text(), "0.4");
  EXPECT_EQ(model->rain[1]->blockValue()->text(), "12.5");
  EXPECT_EQ(model->rain[1]->blockHour()->text(), "");
}

TEST_F(WeatherModelTest, EachSwitchChoosesTheSetOfItsOwnSection) {
  auto shown = [](const std::array<UnitBlock*, 4>& blocks) {
    for (UnitBlock* b : blocks)
      if (b->isHidden()) return false;
    return true;
  };
  EXPECT_TRUE(shown(model->temperatureOutDoor) && shown(model->humidityOutDoor));
  EXPECT_EQ(model->inOutBtn()->outImg()->imageName(), "weather_simple_switch_r_selected.png");

  uitest::tap(model->inOutBtnH()->inBtn());
  EXPECT_EQ(model->inOutValueH(), "IN");
  EXPECT_TRUE(shown(model->humidity));
  EXPECT_FALSE(shown(model->humidityOutDoor));
  EXPECT_TRUE(shown(model->temperatureOutDoor)) << "the temperature keeps its outdoor set";
  EXPECT_EQ(model->inOutBtnH()->inImg()->imageName(), "weather_simple_switch_l_selected.png");
  EXPECT_EQ(model->inOutBtnH()->outImg()->imageName(), "weather_simple_switch_r.png");

  uitest::tap(model->inOutBtnH()->inBtn());  // again: nothing changes
  EXPECT_EQ(model->inOutValueH(), "IN");
  EXPECT_EQ(model->inOutBtnH()->value(), "IN");
  EXPECT_TRUE(shown(model->humidity));

  uitest::tap(model->inOutBtn()->inBtn());
  uitest::tap(model->inOutBtn()->outBtn());
  EXPECT_EQ(model->inOutValue(), "OUT");
  EXPECT_TRUE(shown(model->temperatureOutDoor));
  EXPECT_FALSE(shown(model->temperature));
}

class PageControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(320, 360);
    pages = new CustomPageControl2(QRect(0, 0, 320, 360), 3, Qt::gray, &host);
    QObject::connect(pages, &CustomPageControl2::pageChanged, [this] { seen.push_back(pages->currentPage()); });
    host.show();
  }
  QWidget host;
  CustomPageControl2* pages = nullptr;
  std::vector<int> seen;
};

TEST_F(PageControlTest, ThePageIsTheOneWhoseMiddleIsNearestAndStaysInRangePastEitherEnd) {
  for (auto [x, page] : {std::pair{-400.0, 0}, {-161.0, 0}, {159.0, 0}, {161.0, 1}, {479.0, 1}, {481.0, 2},
                         {800.0, 2}, {1200.0, 2}})
    EXPECT_EQ(pages->pageForOffset(x), page) << x;

  // A drag far past the first page, then far past the last: every announced page exists.
  uitest::drag(pages->scrollView(), {40, 150}, {310, 150}, 6, 150);
  pages->scrollView()->setContentOffset(QPointF(640, 0));
  uitest::drag(pages->scrollView(), {310, 150}, {10, 150}, 6, 150);
  ASSERT_FALSE(seen.empty());
  for (int page : seen) EXPECT_TRUE(page >= 0 && page <= 2) << page;
  EXPECT_EQ(pages->currentPage(), 2);
}

TEST_F(PageControlTest, AnIndicatorTapAnnouncesOnceAndItsScrollingNever) {
  uitest::tap(pages->pageControl(), {300, 10});
  EXPECT_EQ(seen, std::vector<int>{1});
  EXPECT_EQ(pages->scrollView()->contentOffset(), QPointF(320, 0));
  EXPECT_TRUE(pages->pageControlUsed());

  // The next drag counts again.
  uitest::drag(pages->scrollView(), {200, 150}, {150, 150}, 4, 150);
  EXPECT_FALSE(pages->pageControlUsed());
  EXPECT_GT(seen.size(), 1u);
}

TEST(MenuComponentTest, EachPageHasItsOwnHighlightAndTheResetDateStaysEmpty) {
  QWidget host;
  host.resize(960, 49);
  auto* menu = new MenuComponent(&host);
  host.show();
  EXPECT_EQ(menu->selectedImageFirstMenu()->x(), 2);
  EXPECT_EQ(menu->selectedImageSecondMenu()->x(), 322);
  uitest::tap(menu->button(5));  // "Current year"
  EXPECT_EQ(menu->selectedImageSecondMenu()->x(), 428);
  EXPECT_EQ(menu->selectedImageFirstMenu()->x(), 2);
  uitest::tap(menu->button(3));  // "Current month"
  EXPECT_EQ(menu->selectedImageFirstMenu()->x(), 241);
  EXPECT_EQ(menu->selectedImageSecondMenu()->x(), 428);
  // The buttons say which period each page shows.
  for (int i = 0; i < 7; ++i) EXPECT_EQ(menu->button(i)->isSelected(), i == 3 || i == 5) << i;
  EXPECT_EQ(menu->button(6)->currentTitle(), L("Previous year"));
  EXPECT_EQ(menu->lastMakeResetDateLbl()->text(), "");
}

TEST(MenuComponentTest, AHighlightStillSlidingEndsWithTheMenu) {
  ui::Animation::setDurationScale(1.0);
  QWidget host;
  host.resize(960, 49);
  auto* menu = new MenuComponent(&host);
  host.show();
  uitest::tap(menu->button(2));
  ASSERT_TRUE(ui::Animation::isRunning(menu->selectedImageFirstMenu(), "frame"));
  QPointer<QAbstractAnimation> slide = menu->selectedImageFirstMenu()->findChild<QAbstractAnimation*>();
  ASSERT_FALSE(slide.isNull());
  delete menu;
  EXPECT_TRUE(slide.isNull());
  QTest::qWait(400);  // past the 0.3 s: nothing is left to run
}

}  // namespace
