#pragma once
// The weather station: a refresh (the gateway reads the station now; five seconds later
// kWaitWeatherFiveSeconds tells the screen to ask), and the station's figures over a period.
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"
#include "foundation/Timer.h"

#include <QString>

#include <vector>

class BEServiceWeather : public backend::ServiceBase, public backend::Singleton<BEServiceWeather> {
 public:
  backend::ReplyPtr getRefresh();
  // "day", "yesterday", "week", "month", "previousMonth", "year", "previousYear"; any other name
  // is answered as "day".
  backend::ReplyPtr getPeriodValues(const QString& period);


  // Posts kWaitWeatherFiveSeconds five seconds from now (on the foundation's timers).
  void sendNotificationAfterFiveSeconds();

 private:
  friend class backend::Singleton<BEServiceWeather>;
  BEServiceWeather();

  // One per refresh answered in the last five seconds; each posts once.
  std::vector<foundation::Timer> m_waits;
};
