#include "BackendTestSupport.h"

#include "backend/BEServiceWeather.h"
#include "backend/BESessionManager.h"

#include <QTimeZone>

using namespace backendtest;
using simcore::HttpResponse;

namespace {

// Runs on the manual clock, in a zone one hour ahead of UTC.
class WeatherServiceTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    clock().setTimeZone(QTimeZone(3600));
    clock().setNow(QDateTime(QDate(2013, 3, 3), QTime(14, 25, 36, 800), QTimeZone(3600)));
    foundation::setScheduler(&clock());
  }
  void TearDown() override {
    BackendTest::TearDown();  // drops the service, and with it its pending waits
    foundation::setScheduler(nullptr);
  }
  static foundation::ManualClock& clock() { return processClock(); }

  QStringList query(const QString& period, HttpResponse answer) {
    return answerWith([&] { BEServiceWeather::getInstance().getPeriodValues(period); }, std::move(answer));
  }
  QStringList refresh(HttpResponse answer) {
    return answerWith([] { BEServiceWeather::getInstance().getRefresh(); }, std::move(answer));
  }
  int waits() const { return static_cast<int>(log.names().count(kWaitWeatherFiveSeconds)); }
};

TEST_F(WeatherServiceTest, PeriodBoundsComeFromTheClockInLocalTime) {
  struct Case {
    const char* period;
    QDateTime now;
    const char* start;
    const char* end;
  };
  const QTimeZone zone(3600);
  const Case cases[] = {
      {"week", QDateTime(QDate(2013, 3, 3), QTime(14, 25, 36, 800), zone), "1361660400000", "1362265200000"},
      {"day", QDateTime(QDate(2013, 3, 3), QTime(14, 25, 36, 800), zone), "1362265200000", "1362317136000"},
      {"previousYear", QDateTime(QDate(2013, 3, 15), QTime(9, 0), zone), "1325372400000", "1356994800000"},
  };
  int index = 0;
  for (const Case& c : cases) {
    clock().setNow(c.now);
    query(c.period, HttpResponse::json(200, "{}"));
    const auto sent = request(index++);
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.path, wirePath("/weather/average;jsessionid=S1"));
    // The period stays with the request; only the bounds are sent.
    EXPECT_EQ(jsonBody(sent), (QJsonObject{{"startDate", c.start}, {"endDate", c.end}})) << c.period;
  }
}

TEST_F(WeatherServiceTest, EachAnswerIsFiledUnderThePeriodOfItsRequest) {
  const struct {
    const char* period;
    const char* success;
    const std::shared_ptr<VOWeather>& (BESessionManager::*stored)() const;
  } periods[] = {
      {"day", kSuccessWeatherGetDay, &BESessionManager::weatherDayAverage},
      {"yesterday", kSuccessWeatherGetYesterday, &BESessionManager::weatherYesterdayAverage},
      {"week", kSuccessWeatherGetWeek, &BESessionManager::weatherWeekAverage},
      {"month", kSuccessWeatherGetMonth, &BESessionManager::weatherMonthAverage},
      {"previousMonth", kSuccessWeatherGetPMonth, &BESessionManager::weatherPreviousMonthAverage},
      {"year", kSuccessWeatherGetYear, &BESessionManager::weatherYearAverage},
      {"previousYear", kSuccessWeatherGetPYear, &BESessionManager::weatherPreviousYearAverage},
      {"someday", kSuccessWeatherGetDay, &BESessionManager::weatherDayAverage},  // unknown: "day"
  };
  auto& store = BESessionManager::getInstance();
  for (const auto& p : periods) {
    const QByteArray answer = QByteArray(R"({"tempInAverage": ")") + p.period + R"(", "date": 1362265200000})";
    EXPECT_EQ(query(p.period, HttpResponse::json(200, answer)), QStringList{p.success}) << p.period;
    const auto& stored = (store.*p.stored)();
    ASSERT_TRUE(stored) << p.period;
    EXPECT_EQ(stored->temp_in_average, p.period);
    EXPECT_EQ(stored->info_date, "1362265200000");
  }
}

TEST_F(WeatherServiceTest, FailuresAndEmptyAnswersLeaveThePeriodAsItWas) {
  query("week", HttpResponse::json(200, R"({"windAverage": "12"})"));
  const auto previous = BESessionManager::getInstance().weatherWeekAverage();
  ASSERT_TRUE(previous);
  EXPECT_EQ(query("week", HttpResponse::json(500, "{}")),
            (QStringList{kErrorWeatherGetWeek, kNotification5xxServerError}));
  // An answer with nothing to file is the period's failure, not a success without data.
  EXPECT_EQ(query("week", HttpResponse::json(200, "")), QStringList{kErrorWeatherGetWeek});
  EXPECT_EQ(BESessionManager::getInstance().weatherWeekAverage(), previous);
}

TEST_F(WeatherServiceTest, EachRefreshIsFollowedByItsOwnWaitOfFiveSeconds) {
  EXPECT_EQ(refresh(HttpResponse::json(200, "")), QStringList{kSuccessWeatherPutRefresh});
  clock().advanceBy(2.0);
  refresh(HttpResponse::json(200, ""));
  log.clear();
  clock().advanceBy(2.9);
  EXPECT_EQ(waits(), 0);
  clock().advanceBy(0.2);  // five seconds after the first answer
  EXPECT_EQ(waits(), 1);
  clock().advanceBy(1.8);
  EXPECT_EQ(waits(), 1);
  clock().advanceBy(0.2);  // five seconds after the second
  EXPECT_EQ(waits(), 2);
  clock().advanceBy(30.0);
  EXPECT_EQ(waits(), 2);
}

TEST_F(WeatherServiceTest, AFailedRefreshStartsNoWait) {
  EXPECT_EQ(refresh(HttpResponse::text(600, "offline")),
            (QStringList{kErrorWeatherPutRefresh, kNotification600GatewayOff}));
  log.clear();
  clock().advanceBy(10.0);
  EXPECT_EQ(waits(), 0);
}

}  // namespace
