#include "rest/mapping/RestObjectMappingOperation.h"

#include "rest/mapping/MappingPlan.h"

namespace rest {

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
  return m_mapping.plan().mapInto(m_source, m_destination, m_warnings);
}

ObjectPtr mapNewObject(json::Value source, const RestObjectMapping& mapping, std::vector<std::string>* warnings) {
  std::vector<std::string> dropped;
  return mapping.plan().mapNew(source, warnings ? *warnings : dropped);
}

}  // namespace rest
