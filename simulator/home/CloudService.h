#pragma once
// The simulated cloud service: a dispatcher for the server core that answers every request of
// the app (sign-in, devices, modes, dashboard, favorites, scenarios, history, weather, cameras)
// from the homes it keeps, plus the control interface that switches faults on and off.
//
// Thread-safety: dispatch() may be called from any thread (the REST server's and the media
// server's); all state is behind one mutex.
#include "core/Dispatcher.h"
#include "home/Clock.h"
#include "home/Faults.h"
#include "home/Home.h"
#include "home/Router.h"
#include "home/Sessions.h"
#include "home/Users.h"

#include <QJsonObject>
#include <QMutex>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace simhome {

class MediaLibrary;
class StillImageRenderer;

struct ServiceOptions {
  QString restType = QStringLiteral("tavrobox");
  QString restVersion = QStringLiteral("v1");
  qint64 sessionTtlMs = 30 * 60 * 1000;
  std::uint64_t seed = 1;
  int latencyMs = 0;
  QString controlToken;  // "" : the control interface is closed
  // The live video server the app is sent to (its media server).
  QString mediaHost = QStringLiteral("127.0.0.1");
  int mediaPort = 8471;
  // Daily life: one quiet history event this often (0: a home that never changes by itself).
  qint64 lifeIntervalMs = 7 * 60 * 1000;
  bool verbose = false;  // one log line per request
};

// What the media server needs to know about a gateway's live stream.
struct LiveFeed {
  QString cameraSerial;
  QString cameraName;
  qint64 sinceMs = 0;
};

// The reserved path of the control interface and the header that carries its token.
inline constexpr const char* kControlPrefix = "/_sim";
inline constexpr const char* kControlTokenHeader = "X-Sim-Token";

struct HomeState {
  Home home;
  // List answers of the current revision, by list: building them is most of a request's cost.
  struct CachedAnswer {
    std::uint64_t revision = 0;
    simcore::HttpResponse response;
  };
  std::map<QString, CachedAnswer> answers;
  qint64 lastLifeMs = 0;
  std::int64_t lifeCount = 0;
  qint64 refreshedMs = 0;  // last weather station refresh
  std::optional<LiveFeed> live;
};

class CloudService;

// One request on its way through a handler.
struct RequestContext {
  CloudService& service;
  const simcore::HttpRequest& request;
  const patterns::PathPattern::Parameters& params;
  Session* session = nullptr;  // null for sign-in
  HomeState* state = nullptr;  // the session's home
  qint64 nowMs = 0;

  QString param(const char* name) const;
  Home& home() { return state->home; }
  // The body as a JSON object; nullopt (and `error` set) when it is missing or not an object.
  std::optional<QJsonObject> jsonBody(QString* error) const;
  QString actorName() const;
  // A list answer (200, JSON, with its ETag) built by `build` unless the home has not changed
  // since it was last built.
  simcore::HttpResponse listAnswer(const QString& list, const std::function<QJsonObject()>& build);
};

class CloudService final : public simcore::Dispatcher {
 public:
  // `homes` maps each home key to its home: "" is the service's own home, other keys are the
  // home files named by users. Every user's home must be present.
  CloudService(ServiceOptions options, Users users, std::map<QString, Home> homes, Clock* clock);
  ~CloudService() override;

  simcore::HttpResponse dispatch(const simcore::HttpRequest& request) override;

  // "/<type>/<version>", the start of every path of the service.
  QString basePath() const;
  const ServiceOptions& options() const { return m_options; }

  void setMediaLibrary(MediaLibrary* media);  // not owned; may be null (no media)
  // The live video server answered at video start (known once the media server listens).
  void setMediaAddress(const QString& host, int port);
  void setLogger(std::function<void(const QString&)> logger);

  // For the media server: the live feed of a gateway, the recording file of a gateway.
  std::optional<LiveFeed> liveFeed(const QString& gatewayId);
  bool hasRecordingFile(const QString& gatewayId, const QString& fileName);

  // Handler helpers.
  static simcore::HttpResponse json(int status, const QJsonObject& body);
  static simcore::HttpResponse ok() { return json(200, QJsonObject()); }
  static simcore::HttpResponse error(const Failure& failure);
  // The JSON answer with a strong ETag computed from its body.
  static simcore::HttpResponse tagged(const QJsonObject& body);
  simcore::HttpResponse gatewayCode(int code, const QString& what) const;

  Clock& clock() { return *m_clock; }
  Users& users() { return m_users; }
  Sessions& sessions() { return m_sessions; }
  Faults& faults() { return m_faults; }
  MediaLibrary* media() { return m_media; }
  StillImageRenderer& images() { return *m_images; }
  std::map<QString, HomeState>& homes() { return m_homes; }
  HomeState* homeFor(const QString& key);

 private:
  simcore::HttpResponse route(const simcore::HttpRequest& request, const QByteArray& path, qint64 now);
  simcore::HttpResponse control(const simcore::HttpRequest& request, const QByteArray& path);
  void live(HomeState& state, qint64 now);
  void log(const simcore::HttpRequest& request, const simcore::HttpResponse& response);

  ServiceOptions m_options;
  Users m_users;
  Sessions m_sessions;
  Faults m_faults;
  Clock* m_clock;
  MediaLibrary* m_media = nullptr;
  std::unique_ptr<StillImageRenderer> m_images;
  std::map<QString, HomeState> m_homes;
  Router m_router;
  Router m_controlRouter;
  std::function<void(const QString&)> m_logger;
  QMutex m_mutex;
};

// Loads the service's home (`defaultHome`, "" for the built-in one) and the home of every user
// that names one, keyed as CloudService expects.
std::optional<std::map<QString, Home>> loadHomes(const Users& users, const QString& defaultHome, std::uint64_t seed,
                                                 qint64 nowMs, QString* error);

// Route registration, one domain per file.
void addAuthRoutes(Router& router);
void addDeviceRoutes(Router& router);
void addModeRoutes(Router& router);
void addDashboardRoutes(Router& router);
void addFavoriteRoutes(Router& router);
void addScenarioRoutes(Router& router);
void addHistoryRoutes(Router& router);
void addWeatherRoutes(Router& router);
void addCameraRoutes(Router& router);
void addControlRoutes(Router& router);
void addEventRoutes(Router& router);  // a control route too

}  // namespace simhome
