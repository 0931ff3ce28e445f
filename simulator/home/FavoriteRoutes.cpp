// Favorites: the list, start and stop.
#include "home/CloudService.h"
#include "home/HomeJson.h"

#include <QJsonArray>

namespace simhome {

namespace {
// Identifiers travel as decimal text ("012" names favorite 12, as the app's integer tags do).
std::optional<qint64> idOf(const QString& text) {
  bool ok = false;
  const qint64 id = text.toLongLong(&ok);
  return ok && id >= 0 ? std::optional<qint64>(id) : std::nullopt;
}
}  // namespace

void addFavoriteRoutes(Router& router) {
  router.add("GET", "/favorite/light", GatewayNeed::None, [](RequestContext& ctx) {
    return ctx.listAnswer("favorites", [&] {
      QJsonArray list;
      for (const Favorite& f : ctx.home().favorites) list.append(favoriteJson(f));
      return QJsonObject{{"favorites", list}};
    });
  });

  for (const bool start : {true, false}) {
    router.add("PUT", start ? "/favorite/:id/start" : "/favorite/:id/stop", GatewayNeed::Online, [start](RequestContext& ctx) {
      const auto id = idOf(ctx.param("id"));
      if (!id) return CloudService::error(notFound(QStringLiteral("no favorite '%1'").arg(ctx.param("id"))));
      const Actor actor{QStringLiteral("6"), ctx.actorName()};
      Home& home = ctx.home();
      if (auto failure = start ? home.startFavorite(*id, ctx.nowMs, actor) : home.stopFavorite(*id, ctx.nowMs, actor))
        return CloudService::error(*failure);
      return CloudService::ok();
    });
  }
}

}  // namespace simhome
