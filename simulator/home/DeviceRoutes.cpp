// Devices: the list, status commands and the existence check of a device kind.
#include "home/CloudService.h"
#include "home/HomeJson.h"

#include <QJsonArray>

namespace simhome {

void addDeviceRoutes(Router& router) {
  router.add("GET", "/device", GatewayNeed::None, [](RequestContext& ctx) {
    return ctx.listAnswer("devices", [&] {
      QJsonArray list;
      for (const Device& d : ctx.home().devices) list.append(deviceJson(d));
      return QJsonObject{{"devices", list}};
    });
  });

  router.add("PUT", "/device/status", GatewayNeed::Online, [](RequestContext& ctx) {
    QString why;
    const auto body = ctx.jsonBody(&why);
    if (!body) return CloudService::error(badRequest(why));
    const QJsonValue status = body->value("status");
    const QJsonValue serial = body->value("serial");
    if (!status.isString() || !serial.isString())
      return CloudService::error(badRequest(QStringLiteral("'status' and 'serial' are required strings")));
    Home& home = ctx.home();
    // The scenario lists drive scenarios through this command too, with the scenario's
    // identifier as serial and ENABLED / DISABLED as status.
    const QString s = status.toString();
    if (!home.device(serial.toString()) && (s == "ENABLED" || s == "DISABLED")) {
      bool isNumber = false;
      const qint64 id = serial.toString().toLongLong(&isNumber);
      if (isNumber && home.scenario(id)) {
        if (auto failure = home.setScenarioEnabled(id, s == "ENABLED", ctx.nowMs)) return CloudService::error(*failure);
        return CloudService::ok();
      }
    }
    if (auto failure = home.setDeviceStatus(serial.toString(), s, ctx.nowMs)) return CloudService::error(*failure);
    return CloudService::ok();
  });

  router.add("GET", "/device/exist/:kind", GatewayNeed::None, [](RequestContext& ctx) {
    const QString kind = ctx.param("kind");
    QJsonArray list;
    for (const Device& d : ctx.home().devices)
      if (d.type == kind || d.serial == kind) list.append(deviceJson(d));
    if (list.isEmpty()) return CloudService::error(notFound(QStringLiteral("no device of kind '%1'").arg(kind)));
    return CloudService::json(200, QJsonObject{{"devices", list}});
  });
}

}  // namespace simhome
