#pragma once
// How the members of a JSON object map onto the fields of a record (answers), or the fields of a
// record onto the members of a JSON object (request bodies, "serialization mappings", whose
// object class is none: they produce plain maps).
#include "rest/mapping/Object.h"

#include <atomic>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace rest {

class MappingPlan;
class RestObjectMapping;
using RestObjectMappingPtr = std::shared_ptr<RestObjectMapping>;

struct RestObjectAttributeMapping {
  std::string sourceKeyPath;
  std::string destinationKeyPath;
  std::vector<std::string> sourcePath;  // sourceKeyPath split at "."
  const Field* destinationField = nullptr;  // resolved once when the destination is a record field
};

struct RestObjectRelationshipMapping {
  std::string sourceKeyPath;
  std::string destinationKeyPath;
  std::vector<std::string> sourcePath;
  RestObjectMappingPtr mapping;
  bool reversible = true;
  const Field* destinationField = nullptr;
};

class RestObjectMapping : public std::enable_shared_from_this<RestObjectMapping> {
 public:
  // A mapping that creates records of `cls`.
  static RestObjectMappingPtr mappingForClass(const ObjectClass& cls);
  // A mapping that produces plain maps (request bodies).
  static RestObjectMappingPtr serializationMapping();

  // nullptr for plain-map mappings.
  const ObjectClass* objectClass() const { return m_objectClass; }

  // Adding a second mapping for one source key path is a programming error.
  void mapKeyPathToAttribute(const std::string& sourceKeyPath, const std::string& destinationKeyPath);
  void mapAttributes(std::initializer_list<std::string> names);
  void mapAttributes(const std::vector<std::string>& names);
  void mapKeyPathToRelationshipWithMapping(const std::string& sourceKeyPath, const std::string& destinationKeyPath,
                                          RestObjectMappingPtr mapping, bool reversible = true);

  // A plain-map mapping with source and destination swapped; reversible relationships are
  // inverted recursively. A cycle deeper than 99 levels is a programming error.
  RestObjectMappingPtr inverseMapping() const;

  const std::vector<RestObjectAttributeMapping>& attributeMappings() const { return m_attributes; }
  const std::vector<RestObjectRelationshipMapping>& relationshipMappings() const { return m_relationships; }
  const RestObjectAttributeMapping* attributeMappingForKeyPath(const std::string& sourceKeyPath) const;
  // True when no attribute reads a dotted key path (they can be matched member by member).
  bool hasOnlySimpleAttributeKeys() const { return m_simpleAttributeKeys; }

  const std::optional<std::string>& rootKeyPath() const { return m_rootKeyPath; }
  void setRootKeyPath(std::optional<std::string> keyPath) { m_rootKeyPath = std::move(keyPath); }

  // The compiled form answers are mapped with: built on first use (from any thread; built once
  // when threads race) and dropped whenever an attribute or relationship is added. A mapping is
  // set up before it is used; it must not be changed while answers are being mapped with it.
  const MappingPlan& plan() const;

  RestObjectMapping(const RestObjectMapping&) = delete;
  RestObjectMapping& operator=(const RestObjectMapping&) = delete;
  ~RestObjectMapping();

  bool setDefaultValueForMissingAttributes = false;
  bool setNilForMissingRelationships = false;
  bool forceCollectionMapping = false;
  bool performKeyValueValidation = true;

 private:
  explicit RestObjectMapping(const ObjectClass* cls);
  bool hasSourceKeyPath(const std::string& keyPath) const;
  RestObjectMappingPtr inverseMappingAtDepth(int depth) const;
  void dropPlan();

  const ObjectClass* m_objectClass;
  std::vector<RestObjectAttributeMapping> m_attributes;
  std::vector<RestObjectRelationshipMapping> m_relationships;
  std::optional<std::string> m_rootKeyPath;
  bool m_simpleAttributeKeys = true;

  mutable std::mutex m_planMutex;                         // guards building and dropping
  mutable std::unique_ptr<const MappingPlan> m_ownedPlan;  // under m_planMutex
  mutable std::atomic<const MappingPlan*> m_plan{nullptr}; // lock-free read once built
};

std::vector<std::string> splitKeyPath(const std::string& keyPath);

}  // namespace rest
