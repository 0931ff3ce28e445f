#pragma once
// Maps a whole parsed answer with a provider: every registered key path ("" is the answer
// itself) whose value is present gives records — an array one record per object element, an
// object one record (mapped into the target record when there is one).
#include "foundation/Result.h"
#include "json/Value.h"
#include "rest/mapping/RestObjectMappingProvider.h"
#include "rest/mapping/RestObjectMappingResult.h"

#include <string>
#include <vector>

namespace rest {

class RestObjectMapper {
 public:
  // Maps with every key path of `provider`.
  RestObjectMapper(json::Value root, const RestObjectMappingProvider& provider);
  // Maps the whole answer with one mapping (the answer's top level is one record, or a list).
  RestObjectMapper(json::Value root, RestObjectMappingPtr mapping);

  // The record answers are mapped into instead of new records (record-based sends).
  void setTargetObject(ObjectPtr target) { m_target = std::move(target); }

  // The records, or the failure "Could not find an object mapping for keyPath: ''" when a
  // non-empty answer held nothing any key path could map.
  foundation::Result<RestObjectMappingResult> performMapping();

  // Errors that did not fail the mapping (a target record of another class: code 1002).
  const std::vector<foundation::Error>& errors() const { return m_errors; }
  const std::vector<std::string>& warnings() const { return m_warnings; }

 private:
  // Whether the key path found something; the records go into `result`.
  bool mapKeyPath(const std::string& keyPath, const RestObjectMapping& mapping, RestObjectMappingResult& result);

  json::Value m_root;
  const RestObjectMappingProvider* m_provider = nullptr;
  RestObjectMappingPtr m_mapping;
  ObjectPtr m_target;
  std::vector<foundation::Error> m_errors;
  std::vector<std::string> m_warnings;
};

}  // namespace rest
