#include "rest/mapping/RestObjectMappingOperation.h"

namespace rest {

namespace {
const char* typeName(json::Type t) {
  switch (t) {
    case json::Type::Null: return "NSNull";
    case json::Type::Bool: return "NSBoolean";
    case json::Type::Int:
    case json::Type::UInt:
    case json::Type::Double: return "NSNumber";
    case json::Type::String: return "NSString";
    case json::Type::Array: return "NSArray";
    case json::Type::Object: return "NSDictionary";
  }
  return "?";
}

// Text form of a scalar, or nothing for containers (no rule turns them into text).
std::optional<std::string> textOf(const json::Value& v) {
  switch (v.type()) {
    case json::Type::String: return std::string(v.stringValue());
    case json::Type::Bool: return std::string(v.boolValue() ? "true" : "false");
    case json::Type::Int:
    case json::Type::UInt:
    case json::Type::Double: return v.numberText();
    default: return std::nullopt;
  }
}
}  // namespace

std::optional<json::Value> valueAtPath(json::Value root, const std::vector<std::string>& path) {
  json::Value current = root;
  for (const auto& step : path) {
    auto next = current.find(step);
    if (!next) return std::nullopt;
    current = *next;
  }
  return current;
}

RestObjectMappingOperation::RestObjectMappingOperation(json::Value source, Object& destination,
                                                       const RestObjectMapping& mapping)
    : m_source(source), m_destination(destination), m_mapping(mapping) {}

bool RestObjectMappingOperation::performMapping() {
  const bool attributes = mapAttributes();
  const bool relationships = mapRelationships();
  return attributes || relationships;
}

bool RestObjectMappingOperation::mapAttribute(const RestObjectAttributeMapping& a, const json::Value& value) {
  Text* text = a.destinationField && a.destinationField->kind == FieldKind::Text ? a.destinationField->text(m_destination)
                                                                                : nullptr;
  Bytes* bytes = a.destinationField && a.destinationField->kind == FieldKind::Bytes ? a.destinationField->bytes(m_destination)
                                                                                   : nullptr;
  if (!a.destinationField) text = m_destination.textAt(a.destinationKeyPath);
  if (value.isNull()) {
    if (text) text->reset();
    if (bytes) bytes->reset();
    return true;
  }
  if (text && value.isString()) {
    const std::string_view s = value.stringValue();
    if (!*text || **text != s) text->emplace(s);
    return true;
  }
  auto converted = textOf(value);
  if (!converted || (!text && !bytes)) {
    m_warnings.push_back("Failed transformation of value at keyPath '" + a.sourceKeyPath +
                         "'. No strategy for transforming from '" + typeName(value.type()) + "' to '" +
                         (bytes ? "NSData" : "NSString") + "'");
    return true;
  }
  if (text) {
    *text = std::move(*converted);
  } else {
    *bytes = std::vector<std::uint8_t>(converted->begin(), converted->end());
  }
  return true;
}

bool RestObjectMappingOperation::mapAttributes() {
  const auto& attributes = m_mapping.attributeMappings();
  bool found = false;
  if (m_mapping.hasOnlySimpleAttributeKeys() && attributes.size() <= 64) {
    // One pass over the members; the attribute that follows the last match is tried first, as
    // answers list their members in a stable order. The first member of a key wins.
    std::uint64_t seen = 0;
    std::size_t next = 0;
    const std::size_t count = attributes.size();
    for (const json::Member member : m_source.members()) {
      std::size_t index = count;
      for (std::size_t k = 0; k < count; ++k) {
        const std::size_t candidate = (next + k) % count;
        if (attributes[candidate].sourceKeyPath == member.key) {
          index = candidate;
          break;
        }
      }
      if (index == count || (seen >> index & 1u)) continue;
      seen |= std::uint64_t{1} << index;
      next = index + 1;
      found = mapAttribute(attributes[index], member.value()) || found;
    }
    return found;
  }
  for (const auto& a : attributes) {
    auto value = valueAtPath(m_source, a.sourcePath);
    if (!value) continue;  // absent: the field keeps what it had
    found = mapAttribute(a, *value) || found;
  }
  return found;
}

bool RestObjectMappingOperation::mapRelationships() {
  bool found = false;
  for (const auto& r : m_mapping.relationshipMappings()) {
    const Field* field = r.destinationField ? r.destinationField : m_destination.objectClass().field(r.destinationKeyPath);
    auto value = valueAtPath(m_source, r.sourcePath);
    if (!value) {
      if (m_mapping.setNilForMissingRelationships && field) {
        if (field->kind == FieldKind::Record) field->setRecord(m_destination, nullptr);
        if (field->kind == FieldKind::RecordList) field->setList(m_destination, {});
      }
      continue;
    }
    found = true;
    if (!field || (field->kind != FieldKind::Record && field->kind != FieldKind::RecordList)) {
      m_warnings.push_back("No relationship named '" + r.destinationKeyPath + "' on " + m_destination.objectClass().name());
      continue;
    }
    ObjectList children;
    if (value->isArray()) {
      children.reserve(value->size());
      for (json::Value element : value->elements()) {
        if (!element.isObject()) {
          m_warnings.push_back("Skipped an element of '" + r.sourceKeyPath + "' that is not an object");
          continue;
        }
        if (auto child = mapNewObject(element, *r.mapping, &m_warnings)) children.push_back(std::move(child));
      }
    } else if (value->isObject()) {
      if (auto child = mapNewObject(*value, *r.mapping, &m_warnings)) children.push_back(std::move(child));
    } else if (!value->isNull()) {
      m_warnings.push_back("Failed transformation of value at keyPath '" + r.sourceKeyPath +
                           "'. No strategy for transforming from '" + typeName(value->type()) + "' to a record");
      continue;
    }
    if (field->kind == FieldKind::RecordList) {
      field->setList(m_destination, std::move(children));
    } else {
      field->setRecord(m_destination, children.empty() ? nullptr : children.front());
    }
  }
  return found;
}

ObjectPtr mapNewObject(json::Value source, const RestObjectMapping& mapping, std::vector<std::string>* warnings) {
  if (!mapping.objectClass()) return nullptr;
  ObjectPtr object = mapping.objectClass()->create();
  if (!object) return nullptr;
  RestObjectMappingOperation operation(source, *object, mapping);
  const bool found = operation.performMapping();
  if (warnings) warnings->insert(warnings->end(), operation.warnings().begin(), operation.warnings().end());
  return found ? object : nullptr;
}

}  // namespace rest
