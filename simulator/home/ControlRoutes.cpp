// The control interface (under /_sim, with the simulator's token): faults on demand.
//
//   GET    /_sim/state              what is switched on, sessions, homes
//   POST   /_sim/gateway            {"offline": bool, "privacy": bool, "credit": n, "codesAsJson": bool}
//   POST   /_sim/fail               {"path": "/device", "method": "GET", "count": 2,
//                                    "status": 503 | "effect": "close-before-answer" | "answer": "not-json"}
//   DELETE /_sim/fail               forget every rule
//   POST   /_sim/latency            {"ms": 300}
//   POST   /_sim/sessions/expire    every session ends (the next request gets 403)
//   POST   /_sim/reset              every fault off
#include "home/CloudService.h"

#include <QJsonArray>

namespace simhome {

namespace {
std::optional<QJsonObject> bodyOrEmpty(RequestContext& ctx, QString* why) {
  if (ctx.request.body.trimmed().isEmpty()) return QJsonObject();
  return ctx.jsonBody(why);
}

QJsonObject state(CloudService& service) {
  QJsonArray homes;
  for (auto& [key, s] : service.homes()) {
    QJsonObject h{{"key", key.isEmpty() ? QStringLiteral("(default)") : key},
                  {"gateway", s.home.gatewayId()},
                  {"recordCredit", s.home.recordCredit},
                  {"historyEvents", int(s.home.history.size())},
                  {"historyLimit", int(s.home.historyLimit)}};
    if (s.live) h["liveCamera"] = s.live->cameraSerial;
    homes.append(h);
  }
  QJsonObject o = service.faults().toJson();
  o["sessions"] = int(service.sessions().count());
  o["homes"] = homes;
  return o;
}
}  // namespace

void addControlRoutes(Router& router) {
  const bool noSession = false;
  router.add("GET", "/_sim/state", GatewayNeed::None, [](RequestContext& ctx) { return CloudService::json(200, state(ctx.service)); }, noSession);

  router.add("POST", "/_sim/gateway", GatewayNeed::None, [](RequestContext& ctx) {
    QString why;
    const auto body = bodyOrEmpty(ctx, &why);
    if (!body) return CloudService::error(badRequest(why));
    Faults& f = ctx.service.faults();
    for (const char* key : {"offline", "privacy", "codesAsJson"})
      if (body->contains(key) && !body->value(key).isBool())
        return CloudService::error(badRequest(QStringLiteral("'%1' must be true or false").arg(key)));
    if (body->contains("credit") && (!body->value("credit").isDouble() || body->value("credit").toInt(-1) < 0))
      return CloudService::error(badRequest(QStringLiteral("'credit' must be a whole number from 0")));
    if (body->contains("offline")) f.gatewayOffline = body->value("offline").toBool();
    if (body->contains("privacy")) f.privacyMode = body->value("privacy").toBool();
    if (body->contains("codesAsJson")) f.gatewayCodesAsJson = body->value("codesAsJson").toBool();
    if (body->contains("credit"))
      for (auto& [key, s] : ctx.service.homes()) s.home.recordCredit = body->value("credit").toInt();
    return CloudService::json(200, state(ctx.service));
  }, noSession);

  router.add("POST", "/_sim/fail", GatewayNeed::None, [](RequestContext& ctx) {
    QString why;
    const auto body = ctx.jsonBody(&why);
    if (!body) return CloudService::error(badRequest(why));
    auto rule = failRuleFromJson(*body, &why);
    if (!rule) return CloudService::error(badRequest(why));
    ctx.service.faults().rules.push_back(*rule);
    return CloudService::json(200, state(ctx.service));
  }, noSession);

  router.add("DELETE", "/_sim/fail", GatewayNeed::None, [](RequestContext& ctx) {
    ctx.service.faults().rules.clear();
    return CloudService::json(200, state(ctx.service));
  }, noSession);

  router.add("POST", "/_sim/latency", GatewayNeed::None, [](RequestContext& ctx) {
    QString why;
    const auto body = ctx.jsonBody(&why);
    if (!body) return CloudService::error(badRequest(why));
    const int ms = body->value("ms").toInt(-1);
    if (ms < 0 || ms > 120000) return CloudService::error(badRequest(QStringLiteral("'ms' must be between 0 and 120000")));
    ctx.service.faults().latencyMs = ms;
    return CloudService::json(200, state(ctx.service));
  }, noSession);

  router.add("POST", "/_sim/sessions/expire", GatewayNeed::None, [](RequestContext& ctx) {
    ctx.service.sessions().expireAll();
    return CloudService::json(200, state(ctx.service));
  }, noSession);

  router.add("POST", "/_sim/reset", GatewayNeed::None, [](RequestContext& ctx) {
    ctx.service.faults().clear();
    return CloudService::json(200, state(ctx.service));
  }, noSession);
}

}  // namespace simhome
