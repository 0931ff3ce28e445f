#include "rest/mapping/RestObjectMappingResult.h"

#include "rest/support/RestError.h"

namespace rest {

void RestObjectMappingResult::set(const std::string& keyPath, Entry entry) {
  for (auto& e : m_entries) {
    if (e.first == keyPath) {
      e.second = std::move(entry);
      return;
    }
  }
  m_entries.emplace_back(keyPath, std::move(entry));
}

ObjectList RestObjectMappingResult::asCollection() const {
  ObjectList all;
  for (const auto& [keyPath, entry] : m_entries) {
    if (const auto* list = std::get_if<ObjectList>(&entry)) {
      all.insert(all.end(), list->begin(), list->end());
    } else if (const auto& object = std::get<ObjectPtr>(entry)) {
      all.push_back(object);
    }
  }
  return all;
}

ObjectPtr RestObjectMappingResult::asObject() const {
  for (const auto& [keyPath, entry] : m_entries) {
    if (const auto* list = std::get_if<ObjectList>(&entry)) {
      if (!list->empty()) return list->front();
    } else if (const auto& object = std::get<ObjectPtr>(entry)) {
      return object;
    }
  }
  return nullptr;
}

foundation::Error RestObjectMappingResult::asError() const {
  std::string description;
  for (const auto& object : asCollection()) {
    if (!description.empty()) description += ", ";
    description += object->description();
  }
  return foundation::Error{kRestErrorDomain, kRestRemoteSystemError, description};
}

}  // namespace rest
