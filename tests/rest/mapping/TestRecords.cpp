#include "TestRecords.h"

namespace tbtest {

using rest::field;

const rest::ObjectClass& TGateway::staticClass() {
  static const rest::ObjectClass cls("TGateway", &rest::Object::staticClass(), &rest::makeObject<TGateway>,
                                     {field<&TGateway::identifier>("identifier"), field<&TGateway::serial>("serial")});
  return cls;
}
const rest::ObjectClass& TAuth::staticClass() {
  static const rest::ObjectClass cls("TAuth", &rest::Object::staticClass(), &rest::makeObject<TAuth>,
                                     {field<&TAuth::sessionId>("sessionId"), field<&TAuth::gateway>("gateway")});
  return cls;
}
const rest::ObjectClass& TDevice::staticClass() {
  static const rest::ObjectClass cls(
      "TDevice", &rest::Object::staticClass(), &rest::makeObject<TDevice>,
      {field<&TDevice::identifier>("identifier"), field<&TDevice::serial>("serial"), field<&TDevice::name>("name"),
       field<&TDevice::status>("status"), field<&TDevice::isNewSensor>("isNewSensor"),
       field<&TDevice::batteryLevel>("batteryLevel")});
  return cls;
}
const rest::ObjectClass& TCamera::staticClass() {
  static const rest::ObjectClass cls("TCamera", &TDevice::staticClass(), &rest::makeObject<TCamera>,
                                     {field<&TCamera::defaultCam>("defaultCam")});
  return cls;
}
const rest::ObjectClass& TAlert::staticClass() {
  static const rest::ObjectClass cls("TAlert", &rest::Object::staticClass(), &rest::makeObject<TAlert>,
                                     {field<&TAlert::type>("type"), field<&TAlert::dest>("dest")});
  return cls;
}
const rest::ObjectClass& TPushAlert::staticClass() {
  static const rest::ObjectClass cls("TPushAlert", &TAlert::staticClass(), &rest::makeObject<TPushAlert>,
                                     {field<&TPushAlert::token>("token")});
  return cls;
}
const rest::ObjectClass& THistory::staticClass() {
  static const rest::ObjectClass cls("THistory", &rest::Object::staticClass(), &rest::makeObject<THistory>,
                                     {field<&THistory::name>("name"), field<&THistory::trigger_name>("trigger_name"),
                                      field<&THistory::media>("media")});
  return cls;
}
const rest::ObjectClass& TSend::staticClass() {
  static const rest::ObjectClass cls("TSend", &rest::Object::staticClass(), &rest::makeObject<TSend>,
                                     {field<&TSend::status>("status"), field<&TSend::serial>("serial"),
                                      field<&TSend::session>("session")});
  return cls;
}

TestMappings::TestMappings() {
  using rest::RestObjectMapping;
  gateway = RestObjectMapping::mappingForClass(TGateway::staticClass());
  gateway->mapKeyPathToAttribute("id", "identifier");
  gateway->mapAttributes({"serial"});
  auth = RestObjectMapping::mappingForClass(TAuth::staticClass());
  auth->mapAttributes({"sessionId"});
  auth->mapKeyPathToRelationshipWithMapping("gateway", "gateway", gateway);
  device = RestObjectMapping::mappingForClass(TDevice::staticClass());
  device->mapKeyPathToAttribute("id", "identifier");
  device->mapAttributes({"serial", "name", "status", "batteryLevel"});
  device->mapKeyPathToAttribute("newSensor", "isNewSensor");
  alert = RestObjectMapping::mappingForClass(TAlert::staticClass());
  alert->mapAttributes({"type", "dest"});
  history = RestObjectMapping::mappingForClass(THistory::staticClass());
  history->mapAttributes({"name"});
  history->mapKeyPathToAttribute("triggerName", "trigger_name");
  history->mapKeyPathToRelationshipWithMapping("alerts", "media", alert);
  provider.setMappingForKeyPath(auth, "");
  provider.setMappingForKeyPath(device, "devices");
  provider.setMappingForKeyPath(history, "history");
}

}  // namespace tbtest
