#include "rest/mapping/RestObjectMappingProvider.h"

namespace rest {

void RestObjectMappingProvider::setMappingForKeyPath(RestObjectMappingPtr mapping, const std::string& keyPath) {
  for (auto& entry : m_byKeyPath) {
    if (entry.first == keyPath) {
      entry.second = std::move(mapping);
      return;
    }
  }
  m_byKeyPath.emplace_back(keyPath, std::move(mapping));
}

RestObjectMappingPtr RestObjectMappingProvider::mappingForKeyPath(const std::string& keyPath) const {
  for (const auto& entry : m_byKeyPath)
    if (entry.first == keyPath) return entry.second;
  return nullptr;
}

void RestObjectMappingProvider::setSerializationMappingForClass(RestObjectMappingPtr mapping, const ObjectClass& cls) {
  m_serialization[&cls] = std::move(mapping);
}

RestObjectMappingPtr RestObjectMappingProvider::serializationMappingForClass(const ObjectClass& cls) const {
  auto it = m_serialization.find(&cls);
  return it == m_serialization.end() ? nullptr : it->second;
}

RestObjectMappingPtr RestObjectMappingProvider::objectMappingForClass(const ObjectClass& cls) const {
  for (const auto& entry : m_byKeyPath) {
    if (entry.second && entry.second->objectClass() && entry.second->objectClass()->name() == cls.name())
      return entry.second;
  }
  return nullptr;
}

}  // namespace rest
