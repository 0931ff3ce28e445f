#include "rest/mapping/RestObjectMapper.h"

#include "rest/mapping/MappingPlan.h"
#include "rest/mapping/RestObjectMappingOperation.h"
#include "rest/support/RestError.h"

namespace rest {

RestObjectMapper::RestObjectMapper(json::Value root, const RestObjectMappingProvider& provider)
    : m_root(root), m_provider(&provider) {}

RestObjectMapper::RestObjectMapper(json::Value root, RestObjectMappingPtr mapping)
    : m_root(root), m_mapping(std::move(mapping)) {}

foundation::Result<RestObjectMappingResult> RestObjectMapper::performMapping() {
  RestObjectMappingResult result;
  bool foundAny = false;
  if (m_mapping) {
    foundAny = mapKeyPath("", *m_mapping, result);
  } else if (m_provider) {
    for (const auto& [keyPath, mapping] : m_provider->mappingsByKeyPath()) {
      if (mapping && mapKeyPath(keyPath, *mapping, result)) foundAny = true;
    }
  }
  const bool emptyAnswer = (m_root.isObject() || m_root.isArray()) && m_root.empty();
  if (!foundAny && !emptyAnswer) {
    return foundation::Error{kRestErrorDomain, kRestObjectMappingNoMatch, "Could not find an object mapping for keyPath: ''"};
  }
  return result;
}

bool RestObjectMapper::mapKeyPath(const std::string& keyPath, const RestObjectMapping& mapping,
                                  RestObjectMappingResult& result) {
  std::optional<json::Value> value;
  if (keyPath.empty()) {
    value = m_root;
  } else {
    value = m_root.findPath(keyPath);
  }
  if (!value || value->isNull()) return false;
  // "{}" (a command's usual answer) holds nothing for the whole-document mapping either: it is
  // the empty answer, not an object of that mapping's class.
  if (keyPath.empty() && value->isObject() && value->empty()) return false;

  if (value->isArray() || (mapping.forceCollectionMapping && value->isObject())) {
    const MappingPlan& plan = mapping.plan();
    ObjectList records;
    if (value->isArray()) {
      records.reserve(value->size());
      bool anObject = false;
      for (const json::Value element : value->elements()) {
        if (!element.isObject()) continue;
        anObject = true;
        if (auto record = plan.mapNew(element, m_warnings)) records.push_back(std::move(record));
      }
      // A list with elements none of which is an object (a list of lists, of numbers) holds no
      // records: it is not the list this key path stands for, and mapping it to "no records"
      // would pass for an empty list.
      if (!anObject && !value->empty()) {
        m_warnings.push_back("No object in the list at keyPath '" + keyPath + "'");
        return false;
      }
    } else if (auto record = plan.mapNew(*value, m_warnings)) {
      records.push_back(std::move(record));
    }
    result.set(keyPath, std::move(records));
    return true;  // an array is mappable even when it is empty
  }
  if (!value->isObject()) return false;

  if (m_target) {
    const ObjectClass* cls = mapping.objectClass();
    if (!cls || !m_target->isKindOfClass(*cls)) {
      m_errors.push_back({kRestErrorDomain, kRestObjectMappingClassMismatch,
                          "Expected an object mapping for class of type '" + m_target->objectClass().name() +
                              "', provider returned one for '" + (cls ? cls->name() : std::string("NSMutableDictionary")) +
                              "'"});
      return false;
    }
    RestObjectMappingOperation operation(*value, *m_target, mapping);
    const bool found = operation.performMapping();
    m_warnings.insert(m_warnings.end(), operation.warnings().begin(), operation.warnings().end());
    if (!found) return false;
    result.set(keyPath, m_target);
    return true;
  }
  auto record = mapping.plan().mapNew(*value, m_warnings);
  if (!record) return false;
  result.set(keyPath, std::move(record));
  return true;
}

}  // namespace rest
