// The event history, newest first.
#include "home/CloudService.h"
#include "home/HomeJson.h"

#include <QJsonArray>

namespace simhome {

void addHistoryRoutes(Router& router) {
  router.add("GET", "/history", GatewayNeed::None, [](RequestContext& ctx) {
    return ctx.listAnswer("history", [&] {
      QJsonArray list;
      for (const HistoryEvent& e : ctx.home().history) list.append(historyJson(e, ctx.home().timeZoneId));
      return QJsonObject{{"history", list}};
    });
  });
}

}  // namespace simhome
