#include "backend/BEServiceWeather.h"

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
const QString kRefreshFragment = QStringLiteral("/weather/refresh/");
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

// The period an answer is filed under: the one carried by its own request record, so answers
// arriving out of order land in the right place. Unknown names count as "day".
const Period& periodOf(const rest::RestObjectLoader* loader) {
  const auto* sent = dynamic_cast<const SOWeather*>(loader->sourceObject().get());
  if (sent && sent->period) {
    for (const Period& p : kPeriods)
      if (*sent->period == p.name) return p;
  }
  return kPeriods[0];
}

}  // namespace

BEServiceWeather::BEServiceWeather() {
  registerRoute(SOWeatherEmpty::staticClass(), kRefreshPattern, rest::RestRequestMethodPUT);
  registerRoute(SOWeather::staticClass(), kAveragePath, rest::RestRequestMethodPOST);
}

void BEServiceWeather::getRefresh() {
  auto record = std::make_shared<SOWeatherEmpty>();
  record->serial = kStationSerial;
  record->session = currentSession();
  putRecord(record);
}

void BEServiceWeather::getPeriodValues(const QString& period) {
  const auto bounds = backend::weather::periodBounds(period, foundation::scheduler().localNow());
  auto record = std::make_shared<SOWeather>();
  record->startDate = backend::weather::millisecondsText(bounds.start).toStdString();
  record->endDate = backend::weather::millisecondsText(bounds.end).toStdString();
  record->period = period.toStdString();
  record->session = currentSession();
  manager().postObjectMapResponseWithDelegate(record, mappingForClass(VOWeather::staticClass()), this);
}

void BEServiceWeather::sendNotificationAfterFiveSeconds() {
  std::erase_if(m_waits, [](const foundation::Timer& t) { return !t.isValid(); });
  m_waits.push_back(foundation::Timer::singleShot(kWaitSeconds, [] { post(kWaitWeatherFiveSeconds); }));
}

void BEServiceWeather::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  if (wasSentToSessionPath(loader, kAveragePath)) {
    const Period& period = periodOf(loader);
    auto values = firstOf<VOWeather>(objects);
    if (!values) {
      // Nothing to file under the period: the screen shows it as missing, as after a failure.
      post(period.failure);
      dispatchStatusCode(loader, foundation::Error{});
      return;
    }
    (BESessionManager::getInstance().*period.store)(std::move(values));
    post(period.success);
  } else if (resourcePathContains(loader, kRefreshFragment)) {
    post(kSuccessWeatherPutRefresh);
    sendNotificationAfterFiveSeconds();
  }
}

void BEServiceWeather::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) {
  if (wasSentToSessionPath(loader, kAveragePath))
    post(periodOf(loader).failure);
  else if (resourcePathContains(loader, kRefreshFragment))
    post(kErrorWeatherPutRefresh);
  dispatchStatusCode(loader, error);
}
