#include "home/CloudService.h"

#include "home/HistoryGenerator.h"
#include "home/HomeJson.h"
#include "home/StillImage.h"

#include <QCryptographicHash>
#include <QJsonDocument>

namespace simhome {

using simcore::HttpRequest;
using simcore::HttpResponse;

namespace {

// The path without its session part: the form fault rules are written against.
QString withoutSession(const QByteArray& path) {
  const int at = path.indexOf(";jsessionid=");
  return QString::fromUtf8(at < 0 ? path : path.left(at));
}

bool etagMatches(const QByteArray& ifNoneMatch, const QByteArray& etag) {
  for (QByteArray candidate : ifNoneMatch.split(',')) {
    candidate = candidate.trimmed();
    if (candidate == "*") return true;
    if (candidate.startsWith("W/")) candidate = candidate.mid(2);
    if (candidate == etag) return true;
  }
  return false;
}

bool sameSecret(const QByteArray& a, const QByteArray& b) {
  if (a.size() != b.size()) return false;
  int diff = 0;
  for (int i = 0; i < a.size(); ++i) diff |= a[i] ^ b[i];
  return diff == 0;
}

}  // namespace

std::optional<std::map<QString, Home>> loadHomes(const Users& users, const QString& defaultHome, std::uint64_t seed,
                                                 qint64 nowMs, QString* error) {
  std::map<QString, Home> homes;
  auto load = [&](const QString& key, const QString& path) {
    if (homes.count(key)) return true;
    auto home = loadHomeFile(path, HomeSetup{seed, nowMs}, error);
    if (!home) return false;
    homes.emplace(key, std::move(*home));
    return true;
  };
  if (!load(QString(), defaultHome.isEmpty() ? builtInHomePath() : defaultHome)) return std::nullopt;
  for (const User& u : users.all())
    if (!u.homeFile.isEmpty() && !load(u.homeFile, u.homeFile)) return std::nullopt;
  return homes;
}

QString RequestContext::param(const char* name) const {
  auto it = params.find(name);
  return it == params.end() ? QString() : QString::fromStdString(it->second);
}

std::optional<QJsonObject> RequestContext::jsonBody(QString* error) const {
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(request.body, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    if (error) *error = QStringLiteral("the body is not JSON (%1 at offset %2)").arg(parseError.errorString()).arg(parseError.offset);
    return std::nullopt;
  }
  if (!doc.isObject()) {
    if (error) *error = QStringLiteral("the body must be a JSON object");
    return std::nullopt;
  }
  return doc.object();
}

simcore::HttpResponse RequestContext::listAnswer(const QString& list, const std::function<QJsonObject()>& build) {
  HomeState::CachedAnswer& cached = state->answers[list];
  if (cached.response.body.isEmpty() || cached.revision != state->home.revision) {
    cached.response = CloudService::tagged(build());
    cached.revision = state->home.revision;
  }
  return cached.response;
}

QString RequestContext::actorName() const { return session ? session->login : QString(); }

CloudService::CloudService(ServiceOptions options, Users users, std::map<QString, Home> homes, Clock* clock)
    : m_options(std::move(options)),
      m_users(std::move(users)),
      m_sessions(m_options.sessionTtlMs),
      m_clock(clock),
      m_images(std::make_unique<StillImageRenderer>(m_options.seed)) {
  m_faults.latencyMs = m_options.latencyMs;
  const qint64 now = m_clock->nowMs();
  for (auto& [key, home] : homes) {
    HomeState state;
    state.home = std::move(home);
    state.lastLifeMs = now;
    m_homes.emplace(key, std::move(state));
  }
  for (const User& u : m_users.all())
    if (!m_homes.count(u.homeFile)) qFatal("no home loaded for user %s (%s)", qPrintable(u.login), qPrintable(u.homeFile));
  addAuthRoutes(m_router);
  addDeviceRoutes(m_router);
  addModeRoutes(m_router);
  addDashboardRoutes(m_router);
  addFavoriteRoutes(m_router);
  addScenarioRoutes(m_router);
  addHistoryRoutes(m_router);
  addWeatherRoutes(m_router);
  addCameraRoutes(m_router);
  addControlRoutes(m_controlRouter);
  addEventRoutes(m_controlRouter);
}

CloudService::~CloudService() = default;

QString CloudService::basePath() const { return QStringLiteral("/%1/%2").arg(m_options.restType, m_options.restVersion); }

void CloudService::setMediaLibrary(MediaLibrary* media) {
  QMutexLocker lock(&m_mutex);
  m_media = media;
}

void CloudService::setMediaAddress(const QString& host, int port) {
  QMutexLocker lock(&m_mutex);
  m_options.mediaHost = host;
  m_options.mediaPort = port;
}

void CloudService::setLogger(std::function<void(const QString&)> logger) {
  QMutexLocker lock(&m_mutex);
  m_logger = std::move(logger);
}

HomeState* CloudService::homeFor(const QString& key) {
  auto it = m_homes.find(key);
  return it == m_homes.end() ? nullptr : &it->second;
}

std::optional<LiveFeed> CloudService::liveFeed(const QString& gatewayId) {
  QMutexLocker lock(&m_mutex);
  for (auto& [key, state] : m_homes)
    if (state.home.gatewayId() == gatewayId) return state.live;
  return std::nullopt;
}

bool CloudService::hasRecordingFile(const QString& gatewayId, const QString& fileName) {
  QMutexLocker lock(&m_mutex);
  for (auto& [key, state] : m_homes) {
    if (state.home.gatewayId() != gatewayId) continue;
    for (const Recording& r : state.home.recordings)
      for (const RecordingFile& f : r.files)
        if (f.name == fileName) return true;
  }
  return false;
}

HttpResponse CloudService::json(int status, const QJsonObject& body) {
  return HttpResponse::json(status, QJsonDocument(body).toJson(QJsonDocument::Compact));
}

HttpResponse CloudService::tagged(const QJsonObject& body) {
  HttpResponse r = json(200, body);
  r.withHeader("ETag", '"' + QCryptographicHash::hash(r.body, QCryptographicHash::Sha1).toHex().left(24) + '"');
  return r;
}

HttpResponse CloudService::error(const Failure& failure) {
  return json(failure.status, QJsonObject{{"error", failure.message}});
}

HttpResponse CloudService::gatewayCode(int code, const QString& what) const {
  // The app raises its gateway alerts for these codes only when the body is not JSON (a JSON
  // body reads as a success), so plain text is the default; JSON can be asked for to test that.
  if (m_faults.gatewayCodesAsJson) return json(code, QJsonObject{{"error", what}});
  return HttpResponse::text(code, what.toUtf8());
}

HttpResponse CloudService::dispatch(const HttpRequest& request) {
  QMutexLocker lock(&m_mutex);
  const qint64 now = m_clock->nowMs();
  HttpResponse r;
  const QByteArray controlPrefix(kControlPrefix);
  if (request.path == controlPrefix || request.path.startsWith(controlPrefix + '/')) {
    r = control(request, request.path);
    log(request, r);
    return r;
  }
  const QByteArray base = basePath().toUtf8();
  if (!request.path.startsWith(base + '/')) {
    r = error(notFound(QStringLiteral("no resource at %1 (the service lives under %2)").arg(QString::fromUtf8(request.path), basePath())));
    log(request, r);
    return r;
  }
  const QByteArray path = request.path.mid(base.size());
  std::optional<FailRule> rule = m_faults.take(QString::fromLatin1(request.method), withoutSession(path));
  if (rule && rule->answer == FailRule::Answer::Status) {
    if (rule->status >= 600) r = gatewayCode(rule->status, QStringLiteral("gateway code %1 (injected)").arg(rule->status));
    else if (!rule->body.isEmpty()) r = HttpResponse::text(rule->status, rule->body);
    else r = error(Failure{rule->status, QStringLiteral("injected failure")});
  } else {
    r = route(request, path, now);
    if (request.method == "GET" && r.status == 200 && r.header("Content-Type").startsWith("application/json")) {
      QByteArray etag = r.header("ETag");
      if (etag.isEmpty()) {
        etag = '"' + QCryptographicHash::hash(r.body, QCryptographicHash::Sha1).toHex().left(24) + '"';
        r.withHeader("ETag", etag);
      }
      if (etagMatches(request.header("If-None-Match"), etag)) {
        HttpResponse notModified;
        notModified.status = 304;
        notModified.withHeader("ETag", etag);
        r = notModified;
      }
    }
    if (rule) {
      switch (rule->answer) {
        case FailRule::Answer::Effect: r.effect = rule->effect; break;
        case FailRule::Answer::NotJson:
          r.headers.removeIf([](const auto& h) { return h.first.compare("Content-Type", Qt::CaseInsensitive) == 0; });
          r.headers.emplaceBack("Content-Type", "text/html; charset=utf-8");
          r.body = "<html><body><h1>Service temporarily unavailable</h1></body></html>";
          break;
        case FailRule::Answer::Truncated:
          if (r.body.size() < 2) r.body = "{\"devices\":[";
          r.body.truncate(r.body.size() / 2);
          break;
        case FailRule::Answer::Status: break;
      }
    }
  }
  r.effect.delayBeforeHeadersMs += m_faults.latencyMs;
  log(request, r);
  return r;
}

HttpResponse CloudService::route(const HttpRequest& request, const QByteArray& path, qint64 now) {
  const Router::Match m = m_router.find(request.method, path);
  // An empty session is no session: the same 403 as an unknown one, not a 404 for a path that
  // exists.
  if (!m.route && path.endsWith(";jsessionid=")) {
    const Router::Match probe = m_router.find(request.method, path + "-");
    if (probe.route && probe.route->needsSession) return error(Failure{403, QStringLiteral("session unknown or expired")});
  }
  if (!m.route) {
    if (!m.allowed.isEmpty())
      return error(Failure{405, QStringLiteral("method %1 not allowed here").arg(QString::fromLatin1(request.method))})
          .withHeader("Allow", m.allowed.join(", "));
    return error(notFound(QStringLiteral("no resource at %1").arg(QString::fromUtf8(path))));
  }
  RequestContext ctx{*this, request, m.params};
  ctx.nowMs = now;
  if (m.route->needsSession) {
    ctx.session = m_sessions.use(ctx.param("session"), now);
    if (!ctx.session) return error(Failure{403, QStringLiteral("session unknown or expired")});
    ctx.state = homeFor(ctx.session->homeKey);
    live(*ctx.state, now);
    if (m.route->gateway != GatewayNeed::None && m_faults.gatewayOffline)
      return gatewayCode(600, QStringLiteral("GATEWAY_OFF: the gateway is off line"));
    if (m.route->gateway == GatewayNeed::Camera && m_faults.privacyMode)
      return gatewayCode(620, QStringLiteral("PRIVACY_MODE: the cameras are private"));
  }
  return m.route->handler(ctx);
}

HttpResponse CloudService::control(const HttpRequest& request, const QByteArray& path) {
  if (m_options.controlToken.isEmpty()) return error(notFound(QStringLiteral("no resource here")));
  if (!sameSecret(request.header(kControlTokenHeader), m_options.controlToken.toUtf8()))
    return error(Failure{401, QStringLiteral("the control interface needs the simulator's token in %1").arg(kControlTokenHeader)});
  const Router::Match m = m_controlRouter.find(request.method, path);
  if (!m.route) {
    if (!m.allowed.isEmpty()) return error(Failure{405, QStringLiteral("method not allowed here")}).withHeader("Allow", m.allowed.join(", "));
    return error(notFound(QStringLiteral("no control at %1").arg(QString::fromUtf8(path))));
  }
  RequestContext ctx{*this, request, m.params};
  ctx.nowMs = m_clock->nowMs();
  return m.route->handler(ctx);
}

void CloudService::live(HomeState& state, qint64 now) {
  state.home.settle(now);
  if (m_options.lifeIntervalMs <= 0) return;
  // Catch up on the quiet events of daily life since the last request (a bounded number: a
  // service left alone for a week does not replay the whole week).
  int added = 0;
  while (now - state.lastLifeMs >= m_options.lifeIntervalMs && added < 20) {
    state.lastLifeMs += m_options.lifeIntervalMs;
    state.home.addHistory(lifeEvent(state.home, m_options.seed, state.lifeCount++, state.lastLifeMs));
    ++added;
  }
  if (now - state.lastLifeMs >= m_options.lifeIntervalMs) state.lastLifeMs = now;
}

void CloudService::log(const HttpRequest& request, const HttpResponse& response) {
  if (!m_options.verbose || !m_logger) return;
  // Session identifiers are credentials: the log shows only their start.
  QString target = QString::fromUtf8(request.target);
  const int at = target.indexOf(";jsessionid=");
  if (at >= 0) {
    const int start = at + int(qstrlen(";jsessionid="));
    int end = target.indexOf('?', start);
    if (end < 0) end = target.size();
    if (end - start > 6) target.replace(start + 6, end - start - 6, QStringLiteral("…"));
  }
  m_logger(QStringLiteral("%1 %2 -> %3 (%4 bytes)")
               .arg(QString::fromLatin1(request.method), target)
               .arg(response.status)
               .arg(response.body.size()));
}

}  // namespace simhome
