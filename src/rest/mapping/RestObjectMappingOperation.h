#pragma once
// Maps one JSON object onto one record, attribute by attribute and relationship by
// relationship. Every field of the records is text, so the value rules are: a string as it is,
// a number as its decimal text (integers exact, doubles as the shortest text that reads back the
// same), a boolean as "true" / "false", null as no value. A member that is absent leaves the
// field untouched; a member that is null clears it. The work is done by the mapping's compiled
// plan (MappingPlan), built once per mapping.
#include "json/Value.h"
#include "rest/mapping/RestObjectMapping.h"

#include <vector>

namespace rest {

class RestObjectMappingOperation {
 public:
  RestObjectMappingOperation(json::Value source, Object& destination, const RestObjectMapping& mapping);

  // True when at least one attribute or relationship value was found (null counts); false
  // means the answer held nothing this mapping reads, and the destination is unchanged.
  bool performMapping();

  // Warnings met on the way ("Failed transformation of value at keyPath ...").
  const std::vector<std::string>& warnings() const { return m_warnings; }

 private:
  json::Value m_source;
  Object& m_destination;
  const RestObjectMapping& m_mapping;
  std::vector<std::string> m_warnings;
};

// Reads the value at a split key path; nothing when a step is missing or not an object.
std::optional<json::Value> valueAtPath(json::Value root, const std::vector<std::string>& path);

// A record of the mapping's class mapped from `source`, or nullptr when nothing was found.
ObjectPtr mapNewObject(json::Value source, const RestObjectMapping& mapping, std::vector<std::string>* warnings);

}  // namespace rest
