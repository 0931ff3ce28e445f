// The weather station: figures of a period, and a refresh that asks the gateway for a reading.
#include "home/CloudService.h"
#include "home/Weather.h"

namespace simhome {

namespace {
const Device* station(Home& home, const QString& kind = QStringLiteral("USB_WEATHER_VYR")) {
  for (const Device& d : home.devices)
    if (d.family() == Family::WeatherStation && (d.type == kind || d.serial == kind)) return &d;
  return nullptr;
}

// Dates arrive as milliseconds since 1970, as text ("1356994800000") or as a number. A date the
// station has no readings for is no date: nothing is computed from it (a number is checked
// before it becomes an integer, since a far one does not fit).
std::optional<qint64> millis(const QJsonValue& v) {
  if (v.isDouble()) {
    const double ms = v.toDouble();
    if (!(ms >= double(kEarliestReadingMs) && ms <= double(kLatestReadingMs))) return std::nullopt;
    return qint64(ms);
  }
  if (!v.isString()) return std::nullopt;
  bool ok = false;
  const qint64 ms = v.toString().toLongLong(&ok);
  if (!ok || ms < kEarliestReadingMs || ms > kLatestReadingMs) return std::nullopt;
  return ms;
}
}  // namespace

void addWeatherRoutes(Router& router) {
  router.add("POST", "/weather/average", GatewayNeed::None, [](RequestContext& ctx) {
    if (!station(ctx.home())) return CloudService::error(notFound(QStringLiteral("this home has no weather station")));
    QString why;
    const auto body = ctx.jsonBody(&why);
    if (!body) return CloudService::error(badRequest(why));
    const auto start = millis(body->value("startDate"));
    const auto end = millis(body->value("endDate"));
    if (!start || !end)
      return CloudService::error(badRequest(
          QStringLiteral("'startDate' and 'endDate' are required, in milliseconds since 1970, up to the end of year 9999")));
    if (*start > *end) return CloudService::error(badRequest(QStringLiteral("'startDate' is after 'endDate'")));
    if (*start > ctx.nowMs) return CloudService::error(notFound(QStringLiteral("no readings yet for a period that has not begun")));
    constexpr qint64 tenYearsMs = 10LL * 366 * 24 * 3600 * 1000;
    if (*end - *start > tenYearsMs) return CloudService::error(badRequest(QStringLiteral("the period is longer than ten years")));
    return CloudService::json(200, weatherFigures(ctx.service.options().seed, *start, *end, ctx.nowMs));
  });

  router.add("PUT", "/weather/refresh/:serial", GatewayNeed::Online, [](RequestContext& ctx) {
    if (!station(ctx.home(), ctx.param("serial")))
      return CloudService::error(notFound(QStringLiteral("no weather station '%1'").arg(ctx.param("serial"))));
    ctx.state->refreshedMs = ctx.nowMs;
    return CloudService::ok();
  });
}

}  // namespace simhome
