#include "home/Router.h"

#include <QtGlobal>

namespace simhome {

void Router::add(const char* method, const QString& pattern, GatewayNeed gateway,
                 std::function<simcore::HttpResponse(RequestContext&)> handler, bool needsSession) {
  const QString full = needsSession ? pattern + QStringLiteral(";jsessionid=:session") : pattern;
  auto parsed = patterns::PathPattern::parse(full.toStdString());
  if (!parsed) qFatal("bad route pattern %s: %s", qPrintable(full), parsed.error().message.c_str());
  m_routes.push_back(Route{QByteArray(method), parsed.value(), needsSession, gateway, std::move(handler)});
}

Router::Match Router::find(const QByteArray& method, const QByteArray& path) const {
  Match m;
  const std::string p = path.toStdString();
  for (const Route& r : m_routes) {
    auto params = r.pattern.match(p);
    if (!params) continue;
    if (r.method == method) {
      m.route = &r;
      m.params = std::move(*params);
      m.allowed.clear();
      return m;
    }
    if (!m.allowed.contains(r.method)) m.allowed << r.method;
  }
  return m;
}

}  // namespace simhome
