#include "backend/records/SendRecords.h"

const rest::ObjectClass& SOAuth::staticClass() {
  static const rest::ObjectClass cls("SOAuth", &rest::Object::staticClass(), &rest::makeObject<SOAuth>, {
      rest::field<&SOAuth::login>("login"),
      rest::field<&SOAuth::password>("password"),
      rest::field<&SOAuth::ihm>("ihm"),
  });
  return cls;
}

const rest::ObjectClass& SODeviceStatus::staticClass() {
  static const rest::ObjectClass cls("SODeviceStatus", &rest::Object::staticClass(), &rest::makeObject<SODeviceStatus>, {
      rest::field<&SODeviceStatus::status>("status"),
      rest::field<&SODeviceStatus::serial>("serial"),
      rest::field<&SODeviceStatus::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOMode::staticClass() {
  static const rest::ObjectClass cls("SOMode", &rest::Object::staticClass(), &rest::makeObject<SOMode>, {
      rest::field<&SOMode::key>("key"),
      rest::field<&SOMode::value>("value"),
      rest::field<&SOMode::subCategory>("subCategory"),
      rest::field<&SOMode::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOScenario::staticClass() {
  static const rest::ObjectClass cls("SOScenario", &rest::Object::staticClass(), &rest::makeObject<SOScenario>, {
      rest::field<&SOScenario::key>("key"),
      rest::field<&SOScenario::value>("value"),
      rest::field<&SOScenario::id>("id"),
      rest::field<&SOScenario::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOScenarioFilter::staticClass() {
  static const rest::ObjectClass cls("SOScenarioFilter", &rest::Object::staticClass(), &rest::makeObject<SOScenarioFilter>, {
      rest::field<&SOScenarioFilter::category>("category"),
      rest::field<&SOScenarioFilter::status>("status"),
  });
  return cls;
}

const rest::ObjectClass& SOFavoriteStart::staticClass() {
  static const rest::ObjectClass cls("SOFavoriteStart", &rest::Object::staticClass(), &rest::makeObject<SOFavoriteStart>, {
      rest::field<&SOFavoriteStart::id>("id"),
      rest::field<&SOFavoriteStart::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOFavoriteStop::staticClass() {
  static const rest::ObjectClass cls("SOFavoriteStop", &rest::Object::staticClass(), &rest::makeObject<SOFavoriteStop>, {
      rest::field<&SOFavoriteStop::id>("id"),
      rest::field<&SOFavoriteStop::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOWeather::staticClass() {
  static const rest::ObjectClass cls("SOWeather", &rest::Object::staticClass(), &rest::makeObject<SOWeather>, {
      rest::field<&SOWeather::startDate>("startDate"),
      rest::field<&SOWeather::endDate>("endDate"),
      rest::field<&SOWeather::period>("period"),
      rest::field<&SOWeather::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOWeatherEmpty::staticClass() {
  static const rest::ObjectClass cls("SOWeatherEmpty", &rest::Object::staticClass(), &rest::makeObject<SOWeatherEmpty>, {
      rest::field<&SOWeatherEmpty::serial>("serial"),
      rest::field<&SOWeatherEmpty::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SODashboardEmpty::staticClass() {
  static const rest::ObjectClass cls("SODashboardEmpty", &rest::Object::staticClass(), &rest::makeObject<SODashboardEmpty>, {
      rest::field<&SODashboardEmpty::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOImageStart::staticClass() {
  static const rest::ObjectClass cls("SOImageStart", &rest::Object::staticClass(), &rest::makeObject<SOImageStart>, {
      rest::field<&SOImageStart::serial>("serial"),
      rest::field<&SOImageStart::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOImageStop::staticClass() {
  static const rest::ObjectClass cls("SOImageStop", &rest::Object::staticClass(), &rest::makeObject<SOImageStop>, {
      rest::field<&SOImageStop::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOVideoStart::staticClass() {
  static const rest::ObjectClass cls("SOVideoStart", &rest::Object::staticClass(), &rest::makeObject<SOVideoStart>, {
      rest::field<&SOVideoStart::serial>("serial"),
      rest::field<&SOVideoStart::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOVideoStop::staticClass() {
  static const rest::ObjectClass cls("SOVideoStop", &rest::Object::staticClass(), &rest::makeObject<SOVideoStop>, {
      rest::field<&SOVideoStop::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SORecordStart::staticClass() {
  static const rest::ObjectClass cls("SORecordStart", &rest::Object::staticClass(), &rest::makeObject<SORecordStart>, {
      rest::field<&SORecordStart::serial>("serial"),
      rest::field<&SORecordStart::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& SOCameraPanZoom::staticClass() {
  static const rest::ObjectClass cls("SOCameraPanZoom", &rest::Object::staticClass(), &rest::makeObject<SOCameraPanZoom>, {
      rest::field<&SOCameraPanZoom::serial>("serial"),
      rest::field<&SOCameraPanZoom::key>("key"),
      rest::field<&SOCameraPanZoom::value>("value"),
      rest::field<&SOCameraPanZoom::session>("session"),
  });
  return cls;
}
