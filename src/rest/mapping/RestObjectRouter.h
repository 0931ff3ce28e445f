#pragma once
// Which resource path a record is sent to: class + HTTP verb -> path pattern, filled from the
// record's fields (":serial", ":session", ...).
#include "foundation/Result.h"
#include "patterns/PathPattern.h"
#include "rest/mapping/Object.h"
#include "rest/network/RestRequest.h"

#include <map>
#include <string>
#include <vector>

namespace rest {

class RestObjectRouter {
 public:
  struct Route {
    patterns::PathPattern pattern;
    bool addEscapes = true;
  };

  // verb: "GET", "POST", "PUT", "DELETE" or "ANY". A second route for the same class and verb,
  // or an empty pattern, is a programming error.
  void routeClassToResourcePathForVerb(const ObjectClass& cls, const std::string& pattern, const std::string& verb,
                                       bool addEscapes = true);

  // The path for `object` sent with `verb`: the route of exactly its class first, else of the
  // first registered class it is a kind of; the verb's entry, else "ANY". No route is a
  // programming error. A route whose parameter has no value in the record is an error value.
  // The same with the method's number (0 GET, 1 POST, 2 PUT, 3 DELETE).
  void routeClassToResourcePathForMethod(const ObjectClass& cls, const std::string& pattern, RestRequestMethod method,
                                         bool addEscapes = true);

  foundation::Result<std::string> resourcePathForObjectVerb(const Object& object, const std::string& verb) const;

  const Route* routeFor(const ObjectClass& cls, const std::string& verb) const;

 private:
  struct ClassRoutes {
    const ObjectClass* cls;
    std::map<std::string, Route> byVerb;
  };
  std::vector<ClassRoutes> m_routes;  // registration order decides among "kind of" matches
};

}  // namespace rest
