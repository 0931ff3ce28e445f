#pragma once
// Devices, alarm modes, scenarios, favorites and the dashboard that gathers them.
#include "rest/mapping/Object.h"

#include <memory>
#include <vector>

class VODevice : public rest::Object {
  REST_OBJECT(VODevice)

 public:
  rest::Text identifier;
  rest::Text serial;
  rest::Text name;
  rest::Text status;
  rest::Text type;
  rest::Text graceTime;
  rest::Text batteryLevel;
  rest::Text alive;
  rest::Text isNewSensor;
  rest::Text record;
  rest::Text defaultCam;
};

class VODeviceLight : public rest::Object {
  REST_OBJECT(VODeviceLight)

 public:
  rest::Text identifier;
  rest::Text serial;
  rest::Text name;
  rest::Text status;
  rest::Text type;
};

class VOMode : public rest::Object {
  REST_OBJECT(VOMode)

 public:
  rest::Text mode;
  rest::Text subCategory;
};

class VOScenario : public rest::Object {
  REST_OBJECT(VOScenario)

 public:
  rest::Text identifier;
  rest::Text name;
  rest::Text status;
  rest::Text category;
};

class VOFavorite : public rest::Object {
  REST_OBJECT(VOFavorite)

 public:
  rest::Text identifier;
  rest::Text name;
  rest::Text status;
};

class VODashboard : public rest::Object {
  REST_OBJECT(VODashboard)

 public:
  std::vector<std::shared_ptr<VODeviceLight>> cameras;
  std::vector<std::shared_ptr<VODeviceLight>> climatic;
  std::vector<std::shared_ptr<VODeviceLight>> lighting;
  std::vector<std::shared_ptr<VODeviceLight>> opening;
  std::vector<std::shared_ptr<VOFavorite>> favorites;
  std::vector<std::shared_ptr<VOMode>> modes;
  std::vector<std::shared_ptr<VOScenario>> scenarios;
};
