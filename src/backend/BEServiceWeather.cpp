#include "backend/BEServiceWeather.h"

#include "backend/SignInGate.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/WeatherPeriods.h"
#include "backend/records/SendRecords.h"
#include "backend/records/WeatherRecords.h"
#include "foundation/Clock.h"
#include "rest/mapping/RestObjectManager.h"

#include <algorithm>

namespace {

const QString kAveragePath = QStringLiteral("/weather/average");
const QString kRefreshPattern = QStringLiteral("/weather/refresh/:serial");
constexpr const char* kStationSerial = "USB_WEATHER_VYR";
constexpr double kWaitSeconds = 5.0;

struct Period {
  const char* name;
  const char* success;
  const char* failure;
  void (BESessionManager::*store)(std::shared_ptr<VOWeather>);
};

const Period kPeriods[] = {
    {"day", kSuccessWeatherGetDay, kErrorWeatherGetDay, &BESessionManager::setWeatherDayAverage},
    {"yesterday", kSuccessWeatherGetYesterday, kErrorWeatherGetYesterday,
     &BESessionManager::setWeatherYesterdayAverage},
    {"week", kSuccessWeatherGetWeek, kErrorWeatherGetWeek, &BESessionManager::setWeatherWeekAverage},
    {"month", kSuccessWeatherGetMonth, kErrorWeatherGetMonth, &BESessionManager::setWeatherMonthAverage},
    {"previousMonth", kSuccessWeatherGetPMonth, kErrorWeatherGetPMonth,
     &BESessionManager::setWeatherPreviousMonthAverage},
    {"year", kSuccessWeatherGetYear, kErrorWeatherGetYear, &BESessionManager::setWeatherYearAverage},
    {"previousYear", kSuccessWeatherGetPYear, kErrorWeatherGetPYear,
     &BESessionManager::setWeatherPreviousYearAverage},
};

constexpr int kPeriodCount = static_cast<int>(std::size(kPeriods));
// Operations 0 to 6 are the periods, in the order above; then the refresh.
constexpr int kRefresh = kPeriodCount;

// Unknown names count as "day".
int periodIndexOf(const QString& name) {
  for (int i = 0; i < kPeriodCount; ++i)
    if (name == QLatin1String(kPeriods[i].name)) return i;
  return 0;
}

}  // namespace

BEServiceWeather::BEServiceWeather() {
  registerRoute(SOWeatherEmpty::staticClass(), kRefreshPattern, rest::RestRequestMethodPUT);
  registerRoute(SOWeather::staticClass(), kAveragePath, rest::RestRequestMethodPOST);
  // Each period is an operation of its own, so answers arriving out of order land in the right place.
  for (int i = 0; i < kPeriodCount; ++i) {
    const Period& period = kPeriods[i];
    defineOperation(i, {.name = period.name,
                        .successNames = {period.success},
                        .errorNames = {period.failure},
                        // Nothing to file under the period: the screen shows it as missing, as after a failure.
                        .expects = {rest::RestExpectedAnswer::Record, ""},
                        .store = [store = period.store](const rest::ObjectList& objects, backend::Home::Stamp) {
                          auto values = firstOf<VOWeather>(objects);
                          if (!values) return false;
                          (BESessionManager::getInstance().*store)(std::move(values));
                          return true;
                        }});
  }
  defineOperation(kRefresh, {.name = "weather refresh",
                             .successNames = {kSuccessWeatherPutRefresh},
                             .errorNames = {kErrorWeatherPutRefresh},
                             .afterSuccess = [this] { sendNotificationAfterFiveSeconds(); }});
}

backend::ReplyPtr BEServiceWeather::getRefresh() {
  auto record = std::make_shared<SOWeatherEmpty>();
  record->serial = kStationSerial;
  record->session = currentSession();
  return putRecord(kRefresh, record);
}

backend::ReplyPtr BEServiceWeather::getPeriodValues(const QString& period) {
  const auto bounds = backend::weather::periodBounds(period, foundation::scheduler().localNow());
  auto record = std::make_shared<SOWeather>();
  record->startDate = backend::weather::millisecondsText(bounds.start).toStdString();
  record->endDate = backend::weather::millisecondsText(bounds.end).toStdString();
  record->period = period.toStdString();
  record->session = currentSession();
  if (const int index = periodIndexOf(period); index >= 0 && index < kPeriodCount)
    if (backend::ReplyPtr refused = backend::refusedBeforeSession(kPeriods[index].name, {kPeriods[index].failure}, false)) return refused;
  return tag(periodIndexOf(period), manager().postObjectMapResponseWithDelegate(record, mappingForClass(VOWeather::staticClass()), this));
}

void BEServiceWeather::sendNotificationAfterFiveSeconds() {
  std::erase_if(m_waits, [](const foundation::Timer& t) { return !t.isValid(); });
  m_waits.push_back(foundation::Timer::singleShot(kWaitSeconds, [] { post(kWaitWeatherFiveSeconds); }));
}

