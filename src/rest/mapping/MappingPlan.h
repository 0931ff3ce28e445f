#pragma once
// A mapping compiled for the per-record loop. Everything that depends only on the mapping is
// decided once: which member names are read (with their lengths, for a cheap match), where
// each value goes (a text or bytes field's accessor, or a dotted key path that is followed on
// each record), which relationship fields take which child mapping, and whether the members of
// an answer object can be matched in one walk. Mapping a record is then a walk over the JSON
// object's members with direct writes into the record's fields.
//
// A plan is immutable once built and may be used by several threads at once. It points into
// its mapping (key texts, attribute and relationship entries), so it lives exactly as long as
// the mapping leaves them unchanged: RestObjectMapping drops its plan whenever it is changed.
// The mapping's public switches (setNilForMissingRelationships, ...) are read from the mapping
// each time, never copied.
#include "json/Value.h"
#include "rest/mapping/Object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rest {

class RestObjectMapping;
struct RestObjectAttributeMapping;
struct RestObjectRelationshipMapping;

class MappingPlan {
 public:
  explicit MappingPlan(const RestObjectMapping& mapping);

  // Maps `source` (an object) onto `destination`; true when at least one attribute or
  // relationship value was found (null counts). Warnings are appended to `warnings`.
  bool mapInto(const json::Value& source, Object& destination, std::vector<std::string>& warnings) const;

  // A new record of the mapping's class mapped from `source`, or nullptr when the mapping
  // creates no records or nothing was found.
  ObjectPtr mapNew(const json::Value& source, std::vector<std::string>& warnings) const;

  // Whether the members of a source object are matched in one walk (every key is a plain
  // member name and there are few enough of them), rather than looked up key path by key path.
  bool walksMembers() const { return m_walkAttributes; }

 private:
  enum class Target : std::uint8_t { TextField, BytesField, KeyPath, None };

  struct Attribute {
    const RestObjectAttributeMapping* source;
    Target target;
    Text* (*text)(Object&);
    Bytes* (*bytes)(Object&);
  };

  struct Relationship {
    const RestObjectRelationshipMapping* source;
    const RestObjectMapping* childMapping;
    // The field, when it could be resolved on the mapping's class; otherwise it is looked up
    // on each record's own class (a record of a subclass may have it).
    const Field* field;
    bool fieldHoldsChildren;  // `field` takes records of the child mapping's class
    // Index of the key in m_keys when the walk finds this relationship's value, else -1.
    int walkKey;
    int walkSlot;  // where the walk leaves the value it found
  };

  // A member name the walk matches, and what it leads to.
  struct Key {
    const char* data;
    std::uint32_t size;
    bool relationship;
    std::uint32_t index;  // into m_attributes, or into the walk's relationship slots
  };

  static constexpr std::size_t kMaxWalkedKeys = 64;           // one bit each in a 64-bit mask
  static constexpr std::size_t kMaxWalkedRelationships = 16;  // values kept on the stack

  std::size_t findKey(std::string_view key) const;  // m_keys.size() when no key matches
  void mapAttribute(const Attribute& a, json::Value value, Object& destination,
                    std::vector<std::string>& warnings) const;
  void mapRelationship(const Relationship& r, const json::Value* value, Object& destination,
                       std::vector<std::string>& warnings) const;

  const RestObjectMapping& m_mapping;
  const ObjectClass* m_class;
  std::vector<Attribute> m_attributes;
  std::vector<Relationship> m_relationships;
  std::vector<Key> m_keys;
  bool m_walkAttributes = false;
};

}  // namespace rest
