#pragma once
// What every service object shares: it is the delegate of the requests it starts, it sends them
// through the shared object manager, it fills the session of the records it sends, and it tells
// answers apart by their resource path (exact session path, or a fixed fragment).
#include "foundation/Result.h"
#include "rest/mapping/Object.h"
#include "rest/mapping/RestObjectLoader.h"
#include "rest/mapping/RestObjectMapping.h"
#include "rest/network/RestRequest.h"

#include <QString>

#include <memory>
#include <vector>

namespace rest {
class RestObjectManager;
}

namespace backend {

class ServiceBase : public rest::RestObjectLoaderDelegate {
 protected:
  ServiceBase() = default;

  // The shared object manager; using a service before the REST layer is configured is a
  // programming error.
  static rest::RestObjectManager& manager();
  // The answer mapping registered for `cls` with the shared manager's provider.
  static rest::RestObjectMappingPtr mappingForClass(const rest::ObjectClass& cls);

  // The current session identifier ("" before the first sign-in).
  static std::string currentSession();
  static QString sessionPath(const QString& path);
  // `segment` escaped for use as one path segment ("a b/c" -> "a%20b%2Fc").
  static QString escapedSegment(const QString& segment);

  // Registers the route of `cls` for `method` on the shared router, under the session pattern of
  // `path`. A route already there (a service created again for the same manager) is kept.
  static void registerRoute(const rest::ObjectClass& cls, const QString& path, rest::RestRequestMethod method);

  // GET of the session path of `path`, answer mapped by key path.
  void loadSessionPath(const QString& path);
  // `record` PUT on its route; the answer is mapped with the record as target.
  void putRecord(const rest::ObjectPtr& record);

  // Whether the answer belongs to the session path of `path` built from the session as it is now.
  static bool wasSentToSessionPath(const rest::RestObjectLoader* loader, const QString& path);
  static bool resourcePathContains(const rest::RestObjectLoader* loader, const QString& fragment);
  static int statusCode(const rest::RestObjectLoader* loader);

  static void post(const char* name);
  // Hands a failure to the status-code dispatch.
  static void dispatchStatusCode(const rest::RestObjectLoader* loader, const foundation::Error& error);

  // The records of class T (or a subclass) among an answer's records, in order. Answers mapped
  // by key path may carry records of other classes (the sign-in record at the top level, the sent
  // record); a store of T must never receive them.
  template <class T>
  static std::vector<std::shared_ptr<T>> recordsOf(const rest::ObjectList& objects) {
    std::vector<std::shared_ptr<T>> out;
    for (const auto& o : objects)
      if (o && o->isKindOfClass(T::staticClass())) out.push_back(std::static_pointer_cast<T>(o));
    return out;
  }

  template <class T>
  static std::shared_ptr<T> firstOf(const rest::ObjectList& objects) {
    for (const auto& o : objects)
      if (o && o->isKindOfClass(T::staticClass())) return std::static_pointer_cast<T>(o);
    return nullptr;
  }
};

}  // namespace backend
