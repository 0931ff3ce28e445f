#include "rest/mapping/RestObjectMapping.h"

#include "rest/mapping/MappingPlan.h"

#include <QtGlobal>

namespace rest {

namespace {
constexpr int kMaxInverseDepth = 99;

const Field* resolveField(const ObjectClass* cls, const std::string& keyPath) {
  if (!cls || keyPath.find('.') != std::string::npos) return nullptr;
  return cls->field(keyPath);
}
}  // namespace

std::vector<std::string> splitKeyPath(const std::string& keyPath) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (true) {
    const auto dot = keyPath.find('.', start);
    parts.push_back(keyPath.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return parts;
}

RestObjectMappingPtr RestObjectMapping::mappingForClass(const ObjectClass& cls) {
  return RestObjectMappingPtr(new RestObjectMapping(&cls));
}

RestObjectMappingPtr RestObjectMapping::serializationMapping() { return RestObjectMappingPtr(new RestObjectMapping(nullptr)); }

RestObjectMapping::RestObjectMapping(const ObjectClass* cls) : m_objectClass(cls) {}

RestObjectMapping::~RestObjectMapping() = default;

const MappingPlan& RestObjectMapping::plan() const {
  if (const MappingPlan* built = m_plan.load(std::memory_order_acquire)) return *built;
  std::lock_guard<std::mutex> lock(m_planMutex);
  if (!m_ownedPlan) {
    m_ownedPlan = std::make_unique<const MappingPlan>(*this);
    m_plan.store(m_ownedPlan.get(), std::memory_order_release);
  }
  return *m_ownedPlan;
}

void RestObjectMapping::dropPlan() {
  std::lock_guard<std::mutex> lock(m_planMutex);
  m_plan.store(nullptr, std::memory_order_release);
  m_ownedPlan.reset();
}

bool RestObjectMapping::hasSourceKeyPath(const std::string& keyPath) const {
  for (const auto& a : m_attributes)
    if (a.sourceKeyPath == keyPath) return true;
  for (const auto& r : m_relationships)
    if (r.sourceKeyPath == keyPath) return true;
  return false;
}

void RestObjectMapping::mapKeyPathToAttribute(const std::string& sourceKeyPath, const std::string& destinationKeyPath) {
  if (hasSourceKeyPath(sourceKeyPath))
    qFatal("Unable to add mapping for keyPath %s, one already exists...", sourceKeyPath.c_str());
  m_attributes.push_back({sourceKeyPath, destinationKeyPath, splitKeyPath(sourceKeyPath),
                          resolveField(m_objectClass, destinationKeyPath)});
  if (sourceKeyPath.find('.') != std::string::npos) m_simpleAttributeKeys = false;
  dropPlan();
}

void RestObjectMapping::mapAttributes(std::initializer_list<std::string> names) {
  for (const auto& n : names) mapKeyPathToAttribute(n, n);
}

void RestObjectMapping::mapAttributes(const std::vector<std::string>& names) {
  for (const auto& n : names) mapKeyPathToAttribute(n, n);
}

void RestObjectMapping::mapKeyPathToRelationshipWithMapping(const std::string& sourceKeyPath,
                                                            const std::string& destinationKeyPath,
                                                            RestObjectMappingPtr mapping, bool reversible) {
  if (hasSourceKeyPath(sourceKeyPath))
    qFatal("Unable to add mapping for keyPath %s, one already exists...", sourceKeyPath.c_str());
  m_relationships.push_back({sourceKeyPath, destinationKeyPath, splitKeyPath(sourceKeyPath), std::move(mapping),
                             reversible, resolveField(m_objectClass, destinationKeyPath)});
  dropPlan();
}

const RestObjectAttributeMapping* RestObjectMapping::attributeMappingForKeyPath(const std::string& sourceKeyPath) const {
  for (const auto& a : m_attributes)
    if (a.sourceKeyPath == sourceKeyPath) return &a;
  return nullptr;
}

RestObjectMappingPtr RestObjectMapping::inverseMapping() const { return inverseMappingAtDepth(0); }

RestObjectMappingPtr RestObjectMapping::inverseMappingAtDepth(int depth) const {
  if (depth > kMaxInverseDepth)
    qFatal("Exceeded max recursion level in inverseMapping. This is likely due to a loop that was not broken by a "
           "non-reversible relationship.");
  auto inverse = serializationMapping();
  for (const auto& a : m_attributes) inverse->mapKeyPathToAttribute(a.destinationKeyPath, a.sourceKeyPath);
  for (const auto& r : m_relationships) {
    if (!r.reversible) continue;
    inverse->mapKeyPathToRelationshipWithMapping(r.destinationKeyPath, r.sourceKeyPath,
                                                 r.mapping->inverseMappingAtDepth(depth + 1));
  }
  return inverse;
}

}  // namespace rest
