// Cameras: still-image sessions and pictures, live video sessions, recordings, pan and tilt.
#include "home/CloudService.h"
#include "home/HomeJson.h"
#include "home/MediaLibrary.h"
#include "home/StillImage.h"

#include <QJsonArray>

namespace simhome {

namespace {
const Device* camera(Home& home, const QString& serial) {
  const Device* d = home.device(serial);
  return d && d->family() == Family::Camera ? d : nullptr;
}

simcore::HttpResponse refusal(RequestContext& ctx, const Failure& failure) {
  if (failure.status >= 600) return ctx.service.gatewayCode(failure.status, failure.message);
  return CloudService::error(failure);
}
}  // namespace

void addCameraRoutes(Router& router) {
  // Order matters: "/video/image/start/..." and "/video/image/stop" before "/video/image/:serial".
  router.add("PUT", "/video/image/start/:serial", GatewayNeed::Camera, [](RequestContext& ctx) {
    // The app opens one session for all its cameras and names camera "0".
    const QString serial = ctx.param("serial");
    if (serial != "0" && !camera(ctx.home(), serial))
      return CloudService::error(notFound(QStringLiteral("no camera with serial '%1'").arg(serial)));
    ctx.session->imageSession = true;
    return CloudService::ok();
  });

  router.add("PUT", "/video/image/stop", GatewayNeed::None, [](RequestContext& ctx) {
    ctx.session->imageSession = false;
    return CloudService::ok();
  });

  router.add("GET", "/video/image/:serial", GatewayNeed::Camera, [](RequestContext& ctx) {
    const Device* cam = camera(ctx.home(), ctx.param("serial"));
    if (!cam) return CloudService::error(notFound(QStringLiteral("no camera with serial '%1'").arg(ctx.param("serial"))));
    // No picture exists before the image session starts: the app treats this 404 as "not yet".
    if (!ctx.session->imageSession) return CloudService::error(notFound(QStringLiteral("no image session is open")));
    const QByteArray jpeg = ctx.service.images().render(*cam, ctx.nowMs, ctx.home().timeZoneId);
    const QJsonArray list{QJsonObject{{"key", "date"}, {"value", formatDate(ctx.nowMs, ctx.home().timeZoneId)}},
                          QJsonObject{{"key", "image"}, {"value", QString::fromLatin1(jpeg.toBase64())}}};
    return CloudService::json(200, QJsonObject{{"list", list}});
  });

  router.add("PUT", "/device/camera/:serial/command", GatewayNeed::Camera, [](RequestContext& ctx) {
    QString why;
    const auto body = ctx.jsonBody(&why);
    if (!body) return CloudService::error(badRequest(why));
    if (body->value("key").toString() != "command" || !body->value("value").isString())
      return CloudService::error(badRequest(QStringLiteral("the body must be {\"key\": \"command\", \"value\": <MVL|MVR|MVU|MVD|MVH>}")));
    if (auto failure = ctx.home().moveCamera(ctx.param("serial"), body->value("value").toString())) return refusal(ctx, *failure);
    return CloudService::ok();
  });

  router.add("PUT", "/video/start/:serial", GatewayNeed::Camera, [](RequestContext& ctx) {
    const Device* cam = camera(ctx.home(), ctx.param("serial"));
    if (!cam) return CloudService::error(notFound(QStringLiteral("no camera with serial '%1'").arg(ctx.param("serial"))));
    // The gateway streams one camera at a time: the last one started is the one sent.
    ctx.state->live = LiveFeed{cam->serial, cam->name, ctx.nowMs};
    ctx.session->liveCamera = cam->serial;
    const ServiceOptions& o = ctx.service.options();
    return CloudService::json(200, QJsonObject{{"h263", "0"},
                                               {"h264", "1"},
                                               {"server", o.mediaHost},
                                               {"serverPort", QString::number(o.mediaPort)}});
  });

  router.add("PUT", "/video/stop", GatewayNeed::None, [](RequestContext& ctx) {
    const QString mine = ctx.session->liveCamera;
    ctx.session->liveCamera.clear();
    // The stream ends when no session of this home watches it any more.
    bool watched = false;
    ctx.service.sessions().forEach([&](Session& s) {
      if (s.homeKey == ctx.session->homeKey && !s.liveCamera.isEmpty()) watched = true;
    });
    if (!watched && !mine.isEmpty()) ctx.state->live.reset();
    return CloudService::ok();
  });

  router.add("PUT", "/video/record/:serial", GatewayNeed::Camera, [](RequestContext& ctx) {
    Recording created;
    if (auto failure = ctx.home().startRecording(ctx.param("serial"), ctx.nowMs, &created)) return refusal(ctx, *failure);
    if (MediaLibrary* media = ctx.service.media())
      media->prepareRecording(created.files.first().name, created.sensorName, created.files.first().durationS);
    return CloudService::ok();
  });

  router.add("GET", "/video/record", GatewayNeed::None, [](RequestContext& ctx) {
    return ctx.listAnswer("records", [&] {
      QJsonArray list;
      for (const Recording& r : ctx.home().recordings) list.append(recordingJson(r, ctx.home().timeZoneId));
      return QJsonObject{{"records", list}};
    });
  });

  router.add("GET", "/video/playback", GatewayNeed::None,
             [](RequestContext& ctx) { return CloudService::json(200, QJsonObject{{"server", ctx.service.options().mediaHost}}); });
}

}  // namespace simhome
