#pragma once
// Small records shaped like the service's, for the mapping tests.
#include "rest/mapping/Object.h"
#include "rest/mapping/RestObjectMapping.h"
#include "rest/mapping/RestObjectMappingProvider.h"

namespace tbtest {

class TGateway : public rest::Object {
  REST_OBJECT(TGateway)
 public:
  rest::Text identifier, serial;
};

class TAuth : public rest::Object {
  REST_OBJECT(TAuth)
 public:
  rest::Text sessionId;
  std::shared_ptr<TGateway> gateway;
};

class TDevice : public rest::Object {
  REST_OBJECT(TDevice)
 public:
  rest::Text identifier, serial, name, status, isNewSensor, batteryLevel;
};

// A device kind of its own, to check "is a kind of" against "is exactly".
class TCamera : public TDevice {
  REST_OBJECT(TCamera)
 public:
  rest::Text defaultCam;
};

class TAlert : public rest::Object {
  REST_OBJECT(TAlert)
 public:
  rest::Text type, dest;
};

// An alert kind of its own, to check that a list of alerts takes it.
class TPushAlert : public TAlert {
  REST_OBJECT(TPushAlert)
 public:
  rest::Text token;
};

class THistory : public rest::Object {
  REST_OBJECT(THistory)
 public:
  rest::Text name, trigger_name;
  std::vector<std::shared_ptr<TAlert>> media;
};

class TSend : public rest::Object {
  REST_OBJECT(TSend)
 public:
  rest::Text status, serial, session;
};

// Mappings as the app registers them: "" -> TAuth, "devices" -> TDevice, "history" -> THistory.
struct TestMappings {
  TestMappings();
  rest::RestObjectMappingPtr gateway, auth, device, alert, history;
  rest::RestObjectMappingProvider provider;
};

}  // namespace tbtest
