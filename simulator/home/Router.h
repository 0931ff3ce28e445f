#pragma once
// The service's route table: method + path pattern -> handler. Patterns are those of the app's
// router (":name" parameters, percent-decoded on match); the first route whose pattern and
// method match wins, so specific routes are added before general ones.
#include "core/HttpMessage.h"
#include "patterns/PathPattern.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace simhome {

struct RequestContext;

// What a route needs of the gateway before its handler may run.
enum class GatewayNeed {
  None,    // the cloud answers alone (lists, sign-in)
  Online,  // the gateway must be reachable: 600 when it is off line
  Camera,  // a camera must be reachable and not private: 600, then 620
};

struct Route {
  QByteArray method;
  patterns::PathPattern pattern;
  bool needsSession = true;
  GatewayNeed gateway = GatewayNeed::None;
  std::function<simcore::HttpResponse(RequestContext&)> handler;
};

class Router {
 public:
  // Adds a route; the pattern is given without the session part, which is appended for routes
  // that need a session (";jsessionid=:session", as the app builds its paths).
  void add(const char* method, const QString& pattern, GatewayNeed gateway,
           std::function<simcore::HttpResponse(RequestContext&)> handler, bool needsSession = true);

  struct Match {
    const Route* route = nullptr;
    patterns::PathPattern::Parameters params;
    QByteArrayList allowed;  // methods of the routes whose pattern matched, when none had this one
  };
  Match find(const QByteArray& method, const QByteArray& path) const;

 private:
  std::vector<Route> m_routes;
};

}  // namespace simhome
