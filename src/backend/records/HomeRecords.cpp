#include "backend/records/HomeRecords.h"

const rest::ObjectClass& VODevice::staticClass() {
  static const rest::ObjectClass cls("VODevice", &rest::Object::staticClass(), &rest::makeObject<VODevice>, {
      rest::field<&VODevice::identifier>("identifier"),
      rest::field<&VODevice::serial>("serial"),
      rest::field<&VODevice::name>("name"),
      rest::field<&VODevice::status>("status"),
      rest::field<&VODevice::type>("type"),
      rest::field<&VODevice::graceTime>("graceTime"),
      rest::field<&VODevice::batteryLevel>("batteryLevel"),
      rest::field<&VODevice::alive>("alive"),
      rest::field<&VODevice::isNewSensor>("isNewSensor"),
      rest::field<&VODevice::record>("record"),
      rest::field<&VODevice::defaultCam>("defaultCam"),
  });
  return cls;
}

const rest::ObjectClass& VODeviceLight::staticClass() {
  static const rest::ObjectClass cls("VODeviceLight", &rest::Object::staticClass(), &rest::makeObject<VODeviceLight>, {
      rest::field<&VODeviceLight::identifier>("identifier"),
      rest::field<&VODeviceLight::serial>("serial"),
      rest::field<&VODeviceLight::name>("name"),
      rest::field<&VODeviceLight::status>("status"),
      rest::field<&VODeviceLight::type>("type"),
  });
  return cls;
}

const rest::ObjectClass& VOMode::staticClass() {
  static const rest::ObjectClass cls("VOMode", &rest::Object::staticClass(), &rest::makeObject<VOMode>, {
      rest::field<&VOMode::mode>("mode"),
      rest::field<&VOMode::subCategory>("subCategory"),
  });
  return cls;
}

const rest::ObjectClass& VOScenario::staticClass() {
  static const rest::ObjectClass cls("VOScenario", &rest::Object::staticClass(), &rest::makeObject<VOScenario>, {
      rest::field<&VOScenario::identifier>("identifier"),
      rest::field<&VOScenario::name>("name"),
      rest::field<&VOScenario::status>("status"),
      rest::field<&VOScenario::category>("category"),
  });
  return cls;
}

const rest::ObjectClass& VOFavorite::staticClass() {
  static const rest::ObjectClass cls("VOFavorite", &rest::Object::staticClass(), &rest::makeObject<VOFavorite>, {
      rest::field<&VOFavorite::identifier>("identifier"),
      rest::field<&VOFavorite::name>("name"),
      rest::field<&VOFavorite::status>("status"),
  });
  return cls;
}

const rest::ObjectClass& VODashboard::staticClass() {
  static const rest::ObjectClass cls("VODashboard", &rest::Object::staticClass(), &rest::makeObject<VODashboard>, {
      rest::field<&VODashboard::cameras>("cameras"),
      rest::field<&VODashboard::climatic>("climatic"),
      rest::field<&VODashboard::lighting>("lighting"),
      rest::field<&VODashboard::opening>("opening"),
      rest::field<&VODashboard::favorites>("favorites"),
      rest::field<&VODashboard::modes>("modes"),
      rest::field<&VODashboard::scenarios>("scenarios"),
  });
  return cls;
}
