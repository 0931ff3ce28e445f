#include "backend/records/OtherRecords.h"

const rest::ObjectClass& VOKeyValue::staticClass() {
  static const rest::ObjectClass cls("VOKeyValue", &rest::Object::staticClass(), &rest::makeObject<VOKeyValue>, {
      rest::field<&VOKeyValue::key>("key"),
      rest::field<&VOKeyValue::value>("value"),
  });
  return cls;
}

const rest::ObjectClass& VOConsumption::staticClass() {
  static const rest::ObjectClass cls("VOConsumption", &rest::Object::staticClass(), &rest::makeObject<VOConsumption>, {});
  return cls;
}
