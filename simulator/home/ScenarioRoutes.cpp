// Scenarios: the list of every category, and start / stop through their status.
#include "home/CloudService.h"
#include "home/HomeJson.h"

#include <QJsonArray>

namespace simhome {

void addScenarioRoutes(Router& router) {
  router.add("GET", "/scenario/light", GatewayNeed::None, [](RequestContext& ctx) {
    return ctx.listAnswer("scenarios", [&] {
      QJsonArray list;
      for (const Scenario& s : ctx.home().scenarios) list.append(scenarioJson(s));
      return QJsonObject{{"scenarios", list}};
    });
  });

  router.add("PUT", "/scenario/:id/status", GatewayNeed::Online, [](RequestContext& ctx) {
    bool isNumber = false;
    const qint64 id = ctx.param("id").toLongLong(&isNumber);
    if (!isNumber || id < 0) return CloudService::error(notFound(QStringLiteral("no scenario '%1'").arg(ctx.param("id"))));
    QString why;
    const auto body = ctx.jsonBody(&why);
    if (!body) return CloudService::error(badRequest(why));
    const QString value = body->value("value").toString();
    if (body->value("key").toString() != "status" || (value != "ENABLED" && value != "DISABLED"))
      return CloudService::error(badRequest(QStringLiteral("the body must be {\"key\": \"status\", \"value\": \"ENABLED\" or \"DISABLED\"}")));
    if (auto failure = ctx.home().setScenarioEnabled(id, value == "ENABLED", ctx.nowMs)) return CloudService::error(*failure);
    return CloudService::ok();
  });
}

}  // namespace simhome
