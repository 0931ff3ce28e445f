#include "json/MutableValue.h"

#include <algorithm>

namespace json {

MutableValue MutableValue::from(const Value& value) {
  switch (value.type()) {
    case Type::Null: return MutableValue();
    case Type::Bool: return MutableValue(value.boolValue());
    case Type::Int: return MutableValue(value.int64Value());
    case Type::UInt: return MutableValue(value.uint64Value());
    case Type::Double: return MutableValue(value.doubleValue());
    case Type::String: return MutableValue(value.stringValue());
    case Type::Array: {
      Array array;
      array.reserve(value.size());
      for (const Value element : value.elements()) array.push_back(from(element));
      return MutableValue(std::move(array));
    }
    case Type::Object: {
      Object object;
      object.reserve(value.size());
      for (const json::Member& member : value.members()) object.emplace_back(std::string(member.key), from(member.value()));
      return MutableValue(std::move(object));
    }
  }
  return MutableValue();
}

Type MutableValue::type() const {
  switch (m_data.index()) {
    case 0: return Type::Null;
    case 1: return Type::Bool;
    case 2: return Type::Int;
    case 3: return Type::UInt;
    case 4: return Type::Double;
    case 5: return Type::String;
    case 6: return Type::Array;
    default: return Type::Object;
  }
}

MutableValue::Array& MutableValue::elements() {
  if (isNull()) m_data = Array{};
  return std::get<Array>(m_data);
}

MutableValue::Object& MutableValue::members() {
  if (isNull()) m_data = Object{};
  return std::get<Object>(m_data);
}

std::size_t MutableValue::size() const {
  if (const auto* array = std::get_if<Array>(&m_data)) return array->size();
  if (const auto* object = std::get_if<Object>(&m_data)) return object->size();
  return 0;
}

MutableValue& MutableValue::set(std::string key, MutableValue value) {
  Object& object = members();
  for (Member& member : object) {
    if (member.first == key) {
      member.second = std::move(value);
      return member.second;
    }
  }
  object.emplace_back(std::move(key), std::move(value));
  return object.back().second;
}

MutableValue& MutableValue::push(MutableValue value) {
  Array& array = elements();
  array.push_back(std::move(value));
  return array.back();
}

const MutableValue* MutableValue::find(std::string_view key) const {
  const auto* object = std::get_if<Object>(&m_data);
  if (!object) return nullptr;
  for (const Member& member : *object) {
    if (member.first == key) return &member.second;
  }
  return nullptr;
}

MutableValue* MutableValue::find(std::string_view key) {
  return const_cast<MutableValue*>(std::as_const(*this).find(key));
}

bool MutableValue::erase(std::string_view key) {
  auto* object = std::get_if<Object>(&m_data);
  if (!object) return false;
  const auto it = std::find_if(object->begin(), object->end(), [key](const Member& m) { return m.first == key; });
  if (it == object->end()) return false;
  object->erase(it);
  return true;
}

}  // namespace json
