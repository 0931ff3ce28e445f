// Alarm modes of the three domains: the list and the change of one domain's mode.
#include "home/CloudService.h"
#include "home/HomeJson.h"

#include <QJsonArray>

namespace simhome {

void addModeRoutes(Router& router) {
  router.add("GET", "/gateway/mode", GatewayNeed::None, [](RequestContext& ctx) {
    return ctx.listAnswer("modes", [&] {
      QJsonArray list;
      for (const QString& domain : Home::domains()) list.append(modeJson(domain, ctx.home().modes.value(domain)));
      return QJsonObject{{"modeList", list}};
    });
  });

  router.add("PUT", "/gateway/:subCategory/mode/", GatewayNeed::Online, [](RequestContext& ctx) {
    QString why;
    const auto body = ctx.jsonBody(&why);
    if (!body) return CloudService::error(badRequest(why));
    if (body->value("key").toString() != "mode" || !body->value("value").isString())
      return CloudService::error(badRequest(QStringLiteral("the body must be {\"key\": \"mode\", \"value\": <mode>}")));
    const Actor actor{QStringLiteral("6"), ctx.actorName()};
    if (auto failure = ctx.home().setMode(ctx.param("subCategory"), body->value("value").toString(), ctx.nowMs, actor))
      return CloudService::error(*failure);
    return CloudService::ok();
  });
}

}  // namespace simhome
