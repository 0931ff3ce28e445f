#include "rest/mapping/RestObjectRouter.h"

#include "rest/mapping/RestObjectManager.h"

#include <QtGlobal>

namespace rest {

void RestObjectRouter::routeClassToResourcePathForVerb(const ObjectClass& cls, const std::string& pattern,
                                                       const std::string& verb, bool addEscapes) {
  auto parsed = patterns::PathPattern::parse(pattern);
  if (!parsed.ok()) qFatal("%s", parsed.error().message.c_str());
  ClassRoutes* routes = nullptr;
  for (auto& r : m_routes) {
    if (r.cls == &cls) routes = &r;
  }
  if (!routes) {
    m_routes.push_back({&cls, {}});
    routes = &m_routes.back();
  }
  if (routes->byVerb.count(verb))
    qFatal("A route has already been registered for class '%s' and HTTP method '%s'", cls.name().c_str(), verb.c_str());
  routes->byVerb.emplace(verb, Route{std::move(parsed).value(), addEscapes});
}

void RestObjectRouter::routeClassToResourcePathForMethod(const ObjectClass& cls, const std::string& pattern,
                                                         RestRequestMethod method, bool addEscapes) {
  routeClassToResourcePathForVerb(cls, pattern, verbForMethod(method), addEscapes);
}

const RestObjectRouter::Route* RestObjectRouter::routeFor(const ObjectClass& cls, const std::string& verb) const {
  const ClassRoutes* found = nullptr;
  for (const auto& r : m_routes) {
    if (r.cls == &cls) {
      found = &r;
      break;
    }
  }
  if (!found) {
    for (const auto& r : m_routes) {
      if (cls.isSubclassOf(*r.cls)) {
        found = &r;
        break;
      }
    }
  }
  if (!found) return nullptr;
  auto it = found->byVerb.find(verb);
  if (it == found->byVerb.end()) it = found->byVerb.find("ANY");
  return it == found->byVerb.end() ? nullptr : &it->second;
}

foundation::Result<std::string> RestObjectRouter::resourcePathForObjectVerb(const Object& object,
                                                                           const std::string& verb) const {
  const Route* route = routeFor(object.objectClass(), verb);
  if (!route)
    qFatal("Unable to find a routable path for object of type '%s' for HTTP Method '%s'",
           object.objectClass().name().c_str(), verb.c_str());
  return route->pattern.interpolate(
      [&object](std::string_view keyPath) -> std::optional<std::string> {
        const Text* text = object.textAt(keyPath);
        if (!text) return std::nullopt;
        return *text;
      },
      route->addEscapes);
}

}  // namespace rest
