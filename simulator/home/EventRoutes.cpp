// The control route that makes an event happen now, so that tests, the tour and someone trying
// the demo can raise an alarm and watch it reach the app:
//
//   POST /_sim/event  {"origin": "0", "reason": "0", "alert": "1", "type": "P1DMO",
//                      "sensor": "Détecteur entrée", "state": "", "subCategory": "",
//                      "camera": "<serial>", "home": "<key>"}
//
// Codes are the history's own (origin, reason, alert; state and subCategory for mode events).
// "camera" names a camera of the home: the event is that camera's (its name), as when a camera's
// own detector goes off. Without "home" the event happens in every home. Answers the new event.
#include "home/CloudService.h"
#include "home/HomeJson.h"

#include <QJsonArray>

namespace simhome {

namespace {

// The optional text member `key`; false (and `why` set) when it is there but not a string.
bool textMember(const QJsonObject& body, const char* key, QString* out, QString* why) {
  if (!body.contains(key)) return true;
  if (!body.value(key).isString()) {
    *why = QStringLiteral("'%1' must be a string").arg(key);
    return false;
  }
  *out = body.value(key).toString();
  return true;
}

}  // namespace

void addEventRoutes(Router& router) {
  router.add("POST", "/_sim/event", GatewayNeed::None, [](RequestContext& ctx) {
    QString why;
    const auto body = ctx.jsonBody(&why);
    if (!body) return CloudService::error(badRequest(why));
    HistoryEvent e;
    e.dateMs = ctx.nowMs;
    e.origin = e.reason = QStringLiteral("0");
    e.alert = QStringLiteral("1");
    QString camera, homeKey;
    const std::pair<const char*, QString*> members[] = {
        {"origin", &e.origin}, {"reason", &e.reason}, {"alert", &e.alert},       {"type", &e.type},
        {"sensor", &e.name},   {"state", &e.state},   {"subCategory", &e.subCategory},
        {"trigger", &e.triggerName}, {"camera", &camera}, {"home", &homeKey}};
    for (const auto& [key, field] : members)
      if (!textMember(*body, key, field, &why)) return CloudService::error(badRequest(why));
    if (e.alert != "0" && e.alert != "1") return CloudService::error(badRequest(QStringLiteral("'alert' must be \"0\" or \"1\"")));
    const bool alarm = e.reason == "0" && (e.origin == "0" || e.origin == "1");
    e.category = alarm ? QStringLiteral("ALARM") : QStringLiteral("SENSOR");

    auto cameraOf = [&](HomeState& state) -> const Device* {
      const Device* cam = state.home.device(camera);
      return cam && cam->family() == Family::Camera ? cam : nullptr;
    };
    std::vector<HomeState*> targets;
    for (auto& [key, state] : ctx.service.homes())
      if ((!body->contains("home") || key == homeKey) && (camera.isEmpty() || cameraOf(state))) targets.push_back(&state);
    if (targets.empty() && !camera.isEmpty())
      return CloudService::error(badRequest(QStringLiteral("'%1' is not a camera of the home").arg(camera)));
    if (targets.empty()) return CloudService::error(notFound(QStringLiteral("no home '%1'").arg(homeKey)));
    QJsonArray made;
    for (HomeState* state : targets) {
      HistoryEvent event = e;
      if (const Device* cam = camera.isEmpty() ? nullptr : cameraOf(*state)) {
        event.name = cam->name;
        if (event.type.isEmpty()) event.type = cam->type;
      }
      if (event.alert == "1") event.alerts = state->home.alertContacts;
      state->home.addHistory(event);
      made.append(historyJson(event, state->home.timeZoneId));
    }
    return CloudService::json(200, QJsonObject{{"events", made}});
  }, false);
}

}  // namespace simhome
