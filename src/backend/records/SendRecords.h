#pragma once
// Records the app sends. `session` only fills the ";jsessionid=" part of the route; it is never in a body.
#include "rest/mapping/Object.h"

#include <memory>
#include <vector>

class SOAuth : public rest::Object {
  REST_OBJECT(SOAuth)

 public:
  rest::Text login;
  rest::Text password;
  rest::Text ihm;
};

class SODeviceStatus : public rest::Object {
  REST_OBJECT(SODeviceStatus)

 public:
  rest::Text status;
  rest::Text serial;
  rest::Text session;
};

class SOMode : public rest::Object {
  REST_OBJECT(SOMode)

 public:
  rest::Text key;
  rest::Text value;
  rest::Text subCategory;
  rest::Text session;
};

class SOScenario : public rest::Object {
  REST_OBJECT(SOScenario)

 public:
  rest::Text key;
  rest::Text value;
  rest::Text id;
  rest::Text session;
};

class SOScenarioFilter : public rest::Object {
  REST_OBJECT(SOScenarioFilter)

 public:
  rest::Text category;
  rest::Text status;
};

class SOFavoriteStart : public rest::Object {
  REST_OBJECT(SOFavoriteStart)

 public:
  rest::Text id;
  rest::Text session;
};

class SOFavoriteStop : public rest::Object {
  REST_OBJECT(SOFavoriteStop)

 public:
  rest::Text id;
  rest::Text session;
};

class SOWeather : public rest::Object {
  REST_OBJECT(SOWeather)

 public:
  rest::Text startDate;
  rest::Text endDate;
  rest::Text period;
  rest::Text session;
};

class SOWeatherEmpty : public rest::Object {
  REST_OBJECT(SOWeatherEmpty)

 public:
  rest::Text serial;
  rest::Text session;
};

class SODashboardEmpty : public rest::Object {
  REST_OBJECT(SODashboardEmpty)

 public:
  rest::Text session;
};

class SOImageStart : public rest::Object {
  REST_OBJECT(SOImageStart)

 public:
  rest::Text serial;
  rest::Text session;
};

class SOImageStop : public rest::Object {
  REST_OBJECT(SOImageStop)

 public:
  rest::Text session;
};

class SOVideoStart : public rest::Object {
  REST_OBJECT(SOVideoStart)

 public:
  rest::Text serial;
  rest::Text session;
};

class SOVideoStop : public rest::Object {
  REST_OBJECT(SOVideoStop)

 public:
  rest::Text session;
};

class SORecordStart : public rest::Object {
  REST_OBJECT(SORecordStart)

 public:
  rest::Text serial;
  rest::Text session;
};

class SOCameraPanZoom : public rest::Object {
  REST_OBJECT(SOCameraPanZoom)

 public:
  rest::Text serial;
  rest::Text key;
  rest::Text value;
  rest::Text session;
};
