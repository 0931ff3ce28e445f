#include "rest/mapping/MappingPlan.h"

#include "rest/mapping/RestObjectMapping.h"
#include "rest/mapping/RestObjectMappingOperation.h"

#include <charconv>
#include <cstring>

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

template <class T>
T load(const char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Equality of two byte runs of the same length. Member names are short, so up to 16 bytes are
// compared with two (possibly overlapping) fixed-size loads each instead of a call to memcmp.
inline bool sameBytes(const char* a, const char* b, std::size_t n) {
  if (n >= 8) {
    if (n > 16) return std::memcmp(a, b, n) == 0;
    return load<std::uint64_t>(a) == load<std::uint64_t>(b) &&
           load<std::uint64_t>(a + n - 8) == load<std::uint64_t>(b + n - 8);
  }
  if (n >= 4) {
    return load<std::uint32_t>(a) == load<std::uint32_t>(b) &&
           load<std::uint32_t>(a + n - 4) == load<std::uint32_t>(b + n - 4);
  }
  if (n >= 2) {
    return load<std::uint16_t>(a) == load<std::uint16_t>(b) &&
           load<std::uint16_t>(a + n - 2) == load<std::uint16_t>(b + n - 2);
  }
  return n == 0 || *a == *b;
}

// Replaces the text, reusing the string's buffer when there is one.
inline void assignText(Text& text, std::string_view value) {
  if (text) {
    text->assign(value.data(), value.size());
  } else {
    text.emplace(value);
  }
}

// The common case of a value into a text field, written straight from the tape: strings, small
// integers, booleans and null. False for anything else (the general path handles it).
[[gnu::always_inline]] inline bool writeScalar(Text& text, const std::uint64_t* word, const char* strings) {
  namespace tape = json::tape;
  switch (tape::tagOf(*word)) {
    case tape::kString:
    case tape::kLongString: assignText(text, tape::stringAt(word, strings)); return true;
    case tape::kTrue: assignText(text, "true"); return true;
    case tape::kFalse: assignText(text, "false"); return true;
    case tape::kNull: text.reset(); return true;
    case tape::kSmallInt: {
      char digits[24];
      const auto end = std::to_chars(digits, digits + sizeof digits, tape::smallInt(*word)).ptr;
      assignText(text, std::string_view(digits, static_cast<std::size_t>(end - digits)));
      return true;
    }
    default: return false;
  }
}

bool isSimpleKey(const std::string& keyPath) { return keyPath.find('.') == std::string::npos; }

// Whether records made by `childMapping` may be stored in `field` (declared for one class).
bool holdsRecordsOf(const Field& field, const RestObjectMapping* childMapping) {
  const ObjectClass* made = childMapping ? childMapping->objectClass() : nullptr;
  if (!made || !field.elementClass) return true;  // nothing is made, or nothing is declared
  const ObjectClass* declared = field.elementClass();
  return !declared || made->isSubclassOf(*declared);
}

void warnMisfit(const RestObjectRelationshipMapping& r, const Object& destination, std::vector<std::string>& warnings) {
  warnings.push_back("Cannot store records of class '" + r.mapping->objectClass()->name() + "' in '" +
                     r.destinationKeyPath + "' of " + destination.objectClass().name());
}

}  // namespace

MappingPlan::MappingPlan(const RestObjectMapping& mapping) : m_mapping(mapping), m_class(mapping.objectClass()) {
  const auto& attributes = mapping.attributeMappings();
  m_attributes.reserve(attributes.size());
  for (const auto& a : attributes) {
    Attribute planned{&a, Target::None, nullptr, nullptr};
    if (const Field* f = a.destinationField) {
      // A record or list field as an attribute's destination stays Target::None: a warning.
      if (f->kind == FieldKind::Text) {
        planned.target = Target::TextField;
        planned.text = f->text;
      } else if (f->kind == FieldKind::Bytes) {
        planned.target = Target::BytesField;
        planned.bytes = f->bytes;
      }
    } else {
      planned.target = Target::KeyPath;  // dotted, or a field only a subclass has
    }
    m_attributes.push_back(planned);
  }

  // The walk keeps the first member of each key (as a lookup by key would) with one bit per key.
  m_walkAttributes = mapping.hasOnlySimpleAttributeKeys() && attributes.size() <= kMaxWalkedKeys;
  if (m_walkAttributes) {
    for (std::uint32_t i = 0; i < attributes.size(); ++i) {
      const std::string& key = attributes[i].sourceKeyPath;
      m_keys.push_back({key.data(), static_cast<std::uint32_t>(key.size()), false, i});
    }
  }

  std::uint32_t slots = 0;
  for (const auto& r : mapping.relationshipMappings()) {
    Relationship planned{&r, r.mapping.get(), r.destinationField,
                         !r.destinationField || holdsRecordsOf(*r.destinationField, r.mapping.get()), -1, -1};
    if (m_walkAttributes && isSimpleKey(r.sourceKeyPath) && m_keys.size() < kMaxWalkedKeys &&
        slots < kMaxWalkedRelationships) {
      planned.walkKey = static_cast<int>(m_keys.size());
      planned.walkSlot = static_cast<int>(slots);
      m_keys.push_back({r.sourceKeyPath.data(), static_cast<std::uint32_t>(r.sourceKeyPath.size()), true, slots});
      ++slots;
    }
    m_relationships.push_back(planned);
  }
}

std::size_t MappingPlan::findKey(std::string_view key) const {
  const std::size_t count = m_keys.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Key& k = m_keys[i];
    if (k.size == key.size() && sameBytes(k.data, key.data(), key.size())) return i;
  }
  return count;
}

bool MappingPlan::mapInto(const json::Value& source, Object& destination, std::vector<std::string>& warnings) const {
  bool found = false;
  std::uint64_t seen = 0;
  const std::uint64_t* walkedValues[kMaxWalkedRelationships];  // read only where `seen` has the key's bit

  if (m_walkAttributes && !m_keys.empty() && source.isObject()) {
    // Locals, not members: writing text bytes may alias anything, which would make the
    // compiler reload members after every write.
    const Key* const keys = m_keys.data();
    const Attribute* const attributes = m_attributes.data();
    const std::size_t count = m_keys.size();
    const char* const strings = source.strings();
    const std::uint64_t* const end = json::tape::next(source.word());
    // Answers list their members in a stable order: the key after the last match is tried first.
    std::size_t hint = 0;
    for (const std::uint64_t* word = source.word() + 2; word != end; word = json::tape::next(word + 1)) {
      const std::string_view name = json::tape::stringAt(word, strings);
      std::size_t index = hint;
      if (keys[hint].size != name.size() || !sameBytes(keys[hint].data, name.data(), name.size())) {
        index = findKey(name);
        if (index == count) continue;
      }
      const std::uint64_t bit = std::uint64_t{1} << index;
      if (seen & bit) continue;  // the first member of a key wins
      seen |= bit;
      hint = index + 1 == count ? 0 : index + 1;
      const Key& k = keys[index];
      const std::uint64_t* const valueWord = word + 1;
      if (k.relationship) {
        walkedValues[k.index] = valueWord;
        continue;
      }
      found = true;
      const Attribute& a = attributes[k.index];
      if (a.target == Target::TextField && writeScalar(*a.text(destination), valueWord, strings)) continue;
      mapAttribute(a, json::Value(valueWord, strings), destination, warnings);
    }
  } else if (!m_walkAttributes) {
    for (const Attribute& a : m_attributes) {
      const auto value = valueAtPath(source, a.source->sourcePath);
      if (!value) continue;  // absent: the field keeps what it had
      mapAttribute(a, *value, destination, warnings);
      found = true;
    }
  }

  // Relationships after every attribute, in the order they were added.
  for (const Relationship& r : m_relationships) {
    std::optional<json::Value> value;
    if (r.walkKey >= 0) {
      if (seen >> r.walkKey & 1u) value = json::Value(walkedValues[r.walkSlot], source.strings());
    } else {
      value = valueAtPath(source, r.source->sourcePath);
    }
    if (value) found = true;
    mapRelationship(r, value ? &*value : nullptr, destination, warnings);
  }
  return found;
}

ObjectPtr MappingPlan::mapNew(const json::Value& source, std::vector<std::string>& warnings) const {
  if (!m_class) return nullptr;
  ObjectPtr object = m_class->create();
  if (!object || !mapInto(source, *object, warnings)) return nullptr;
  return object;
}

void MappingPlan::mapAttribute(const Attribute& a, json::Value value, Object& destination,
                               std::vector<std::string>& warnings) const {
  Text* text = nullptr;
  Bytes* bytes = nullptr;
  switch (a.target) {
    case Target::TextField: text = a.text(destination); break;
    case Target::BytesField: bytes = a.bytes(destination); break;
    case Target::KeyPath: text = destination.textAt(a.source->destinationKeyPath); break;
    case Target::None: break;
  }
  if (text) {
    // The common case: a scalar into a text field, written without an intermediate string.
    char digits[24];
    switch (value.type()) {
      case json::Type::Null: text->reset(); return;
      case json::Type::String: assignText(*text, value.stringValue()); return;
      case json::Type::Bool: assignText(*text, value.boolValue() ? "true" : "false"); return;
      case json::Type::Int: {
        const auto end = std::to_chars(digits, digits + sizeof digits, value.int64Value()).ptr;
        assignText(*text, std::string_view(digits, static_cast<std::size_t>(end - digits)));
        return;
      }
      case json::Type::UInt: {
        const auto end = std::to_chars(digits, digits + sizeof digits, value.uint64Value()).ptr;
        assignText(*text, std::string_view(digits, static_cast<std::size_t>(end - digits)));
        return;
      }
      case json::Type::Double: *text = value.numberText(); return;
      case json::Type::Array:
      case json::Type::Object: break;  // a warning below
    }
  } else if (value.isNull()) {
    if (bytes) bytes->reset();
    return;
  }
  auto converted = textOf(value);
  if (!converted || (!text && !bytes)) {
    warnings.push_back("Failed transformation of value at keyPath '" + a.source->sourceKeyPath +
                       "'. No strategy for transforming from '" + typeName(value.type()) + "' to '" +
                       (bytes ? "NSData" : "NSString") + "'");
    return;
  }
  *bytes = std::vector<std::uint8_t>(converted->begin(), converted->end());
}

void MappingPlan::mapRelationship(const Relationship& r, const json::Value* value, Object& destination,
                                  std::vector<std::string>& warnings) const {
  const RestObjectRelationshipMapping& source = *r.source;
  const Field* field = r.field ? r.field : destination.objectClass().field(source.destinationKeyPath);
  const bool relationshipField = field && (field->kind == FieldKind::Record || field->kind == FieldKind::RecordList);
  if (!value) {
    if (m_mapping.setNilForMissingRelationships && relationshipField) {
      if (field->kind == FieldKind::Record) field->setRecord(destination, nullptr);
      if (field->kind == FieldKind::RecordList) field->setList(destination, {});
    }
    return;
  }
  if (!relationshipField) {
    warnings.push_back("No relationship named '" + source.destinationKeyPath + "' on " + destination.objectClass().name());
    return;
  }
  // A field only takes records of its declared class: anything else would be read as that class.
  if (r.field ? !r.fieldHoldsChildren : !holdsRecordsOf(*field, r.childMapping)) {
    warnMisfit(source, destination, warnings);
    return;
  }
  if (!value->isArray() && !value->isObject() && !value->isNull()) {
    warnings.push_back("Failed transformation of value at keyPath '" + source.sourceKeyPath +
                       "'. No strategy for transforming from '" + typeName(value->type()) + "' to a record");
    return;
  }

  const MappingPlan* child = r.childMapping ? &r.childMapping->plan() : nullptr;
  auto mapChild = [&](const json::Value& element) -> ObjectPtr { return child ? child->mapNew(element, warnings) : nullptr; };
  auto forEachChild = [&](auto&& take) {
    if (value->isArray()) {
      for (const json::Value element : value->elements()) {
        if (!element.isObject()) {
          warnings.push_back("Skipped an element of '" + source.sourceKeyPath + "' that is not an object");
          continue;
        }
        if (ObjectPtr record = mapChild(element)) take(std::move(record));
      }
    } else if (value->isObject()) {
      if (ObjectPtr record = mapChild(*value)) take(std::move(record));
    }
  };

  if (field->kind == FieldKind::Record) {
    ObjectPtr first;  // every element is mapped (and warned about); the first record is kept
    forEachChild([&](ObjectPtr&& record) {
      if (!first) first = std::move(record);
    });
    field->setRecord(destination, std::move(first));
  } else if (field->clearList && field->appendToList) {
    // Children are new records, so the list can be refilled in place while they are mapped.
    field->clearList(destination, value->isArray() ? value->size() : 1);
    forEachChild([&](ObjectPtr&& record) { field->appendToList(destination, std::move(record)); });
  } else {
    ObjectList children;
    children.reserve(value->isArray() ? value->size() : 1);
    forEachChild([&](ObjectPtr&& record) { children.push_back(std::move(record)); });
    field->setList(destination, std::move(children));
  }
}

}  // namespace rest
