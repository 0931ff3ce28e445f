#pragma once
// Which mapping reads which part of an answer (key path -> mapping, "" is the whole answer),
// and which mapping writes the body of each record class.
#include "rest/mapping/RestObjectMapping.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace rest {

class RestObjectMappingProvider {
 public:
  void setMappingForKeyPath(RestObjectMappingPtr mapping, const std::string& keyPath);
  RestObjectMappingPtr mappingForKeyPath(const std::string& keyPath) const;
  // In registration order.
  const std::vector<std::pair<std::string, RestObjectMappingPtr>>& mappingsByKeyPath() const { return m_byKeyPath; }

  void setSerializationMappingForClass(RestObjectMappingPtr mapping, const ObjectClass& cls);
  RestObjectMappingPtr serializationMappingForClass(const ObjectClass& cls) const;

  // The first mapping registered by key path whose class has the name of `cls`.
  RestObjectMappingPtr objectMappingForClass(const ObjectClass& cls) const;

 private:
  std::vector<std::pair<std::string, RestObjectMappingPtr>> m_byKeyPath;
  std::map<const ObjectClass*, RestObjectMappingPtr> m_serialization;
};

}  // namespace rest
