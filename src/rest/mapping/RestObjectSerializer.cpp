#include "rest/mapping/RestObjectSerializer.h"

#include "json/RestJSONParser.h"

namespace rest {

namespace {
bool serializeInto(const Object& object, const RestObjectMapping& mapping, json::MutableValue& out) {
  bool any = false;
  for (const auto& a : mapping.attributeMappings()) {
    const Text* text = object.textAt(a.sourceKeyPath);
    if (!text || !text->has_value()) continue;
    out.set(a.destinationKeyPath, json::MutableValue(**text));
    any = true;
  }
  for (const auto& r : mapping.relationshipMappings()) {
    const Field* field = object.objectClass().field(r.sourceKeyPath);
    if (!field) continue;
    if (field->kind == FieldKind::RecordList) {
      json::MutableValue list = json::MutableValue::array();
      for (const auto& child : field->getList(object)) {
        json::MutableValue element = json::MutableValue::object();
        if (child) serializeInto(*child, *r.mapping, element);
        list.push(std::move(element));
      }
      out.set(r.destinationKeyPath, std::move(list));
      any = true;
    } else if (field->kind == FieldKind::Record) {
      if (auto child = field->getRecord(object)) {
        json::MutableValue element = json::MutableValue::object();
        serializeInto(*child, *r.mapping, element);
        out.set(r.destinationKeyPath, std::move(element));
        any = true;
      }
    }
  }
  return any;
}
}  // namespace

std::optional<json::MutableValue> serializeObject(const Object& object, const RestObjectMapping& mapping) {
  json::MutableValue body = json::MutableValue::object();
  if (!serializeInto(object, mapping, body)) return std::nullopt;
  if (mapping.rootKeyPath() && !mapping.rootKeyPath()->empty()) {
    json::MutableValue wrapped = json::MutableValue::object();
    wrapped.set(*mapping.rootKeyPath(), std::move(body));
    return wrapped;
  }
  return body;
}

foundation::Result<std::optional<std::string>> serializeObjectToJSON(const Object& object,
                                                                     const RestObjectMapping& mapping) {
  auto body = serializeObject(object, mapping);
  if (!body) return std::optional<std::string>();
  auto text = RestJSONParser().stringFromObjectError(*body);
  if (!text.ok()) return text.error();
  return std::optional<std::string>(std::move(text).value());
}

}  // namespace rest
