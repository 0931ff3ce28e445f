#include "backend/records/HistoryRecords.h"

const rest::ObjectClass& VOHistoryAlert::staticClass() {
  static const rest::ObjectClass cls("VOHistoryAlert", &rest::Object::staticClass(), &rest::makeObject<VOHistoryAlert>, {
      rest::field<&VOHistoryAlert::type>("type"),
      rest::field<&VOHistoryAlert::dest>("dest"),
      rest::field<&VOHistoryAlert::ack>("ack"),
  });
  return cls;
}

const rest::ObjectClass& VOHistory::staticClass() {
  static const rest::ObjectClass cls("VOHistory", &rest::Object::staticClass(), &rest::makeObject<VOHistory>, {
      rest::field<&VOHistory::name>("name"),
      rest::field<&VOHistory::type>("type"),
      rest::field<&VOHistory::state>("state"),
      rest::field<&VOHistory::date>("date"),
      rest::field<&VOHistory::origin>("origin"),
      rest::field<&VOHistory::reason>("reason"),
      rest::field<&VOHistory::alert>("alert"),
      rest::field<&VOHistory::trigger_name>("trigger_name"),
      rest::field<&VOHistory::category>("category"),
      rest::field<&VOHistory::subcategory>("subcategory"),
      rest::field<&VOHistory::media>("media"),
  });
  return cls;
}
