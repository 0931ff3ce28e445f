#pragma once
// Configures the REST layer for the cloud service once, at start-up (and re-points it when the
// user switches to an account of another server): the base URL, the shared
// client and object manager, every answer mapping and request serialization of the records, and
// the sign-in route. Also the three helpers every service uses: the session path, the session
// route pattern and the password digest.
#include "backend/Singleton.h"
#include "foundation/Configuration.h"
#include "foundation/Result.h"
#include "rest/mapping/RestObjectMapping.h"
#include "rest/support/LoggableURL.h"

#include <QString>

#include <memory>

namespace rest {
class RestClient;
class RestObjectManager;
}  // namespace rest

class BERestConfig : public backend::Singleton<BERestConfig> {
 public:
  // Reads RestServer, RestType and RestVersion from the configuration and sets the REST layer up,
  // in this order: shared client (certificates validated, with the configured exceptions), object
  // manager, mapping inference, JSON bodies, answer mappings, body serializations, "/auth" route.
  // Runs once per instance; a second call is refused with a warning.
  void initRestLayer(const foundation::Configuration& configuration);
  bool isInitialized() const { return m_restManager != nullptr; }
  // The service the REST layer points at now.
  const QString& baseURL() const { return m_baseURL; }
  // The configuration's service: the default server, and the one of remembered sign-ins that name
  // none.
  const QString& configuredBaseURL() const { return m_configuredBaseURL; }
  // The configuration's RestServer (the start of the base URL), as the login offers it to edit.
  const QString& configuredServer() const { return m_configuredServer; }
  // The base URL of the service at `server` (a RestServer as typed: http(s)://host[:port]), checked
  // as the configuration checks RestServer, with this configuration's RestAllowInsecureHttp.
  foundation::Result<QString> baseURLForServer(const QString& server) const;
  // Points the REST layer at another service: both clients take its base URL, a reachability
  // observer of its host and the host's response cache (a user's once signed in there). Mappings,
  // routes and pins stay (pins are kept per server). Requests already made keep the old server's
  // URL and cache; their answers carry the old session, which the services no longer file. The
  // session must have been ended first.
  void pointAt(const QString& baseURL);
  // Port of the camera media server in the addresses of recordings' playback (RestPlaybackPort).
  int playbackPort() const { return m_playbackPort; }

  // Answer mappings, in the order login, device, mode, scenario, favorite, history, weather,
  // video, dashboard; each registered with the shared manager's provider under its key path.
  void mapping();
  // Body serializations, in the order login, device, mode, scenario, favorite, weather, video,
  // dashboard.
  void serialization();

  void mappingLogin();
  void mappingDevice();
  void mappingMode();
  void mappingScenario();
  void mappingFavorite();
  void mappingHistory();
  void mappingWeather();
  void mappingVideo();
  void mappingDashboard();

  void serializationLogin();
  void serializationDevice();
  void serializationMode();
  void serializationScenario();
  void serializationFavorite();
  void serializationWeather();
  void serializationVideo();
  void serializationDashboard();

  // `path` followed by ";jsessionid=" and the current session identifier (percent-escaped like
  // a route parameter, so a path built here equals the path the router builds for the same
  // session).
  static QString getSessionPathFor(const QString& path);
  // `pattern` followed by ";jsessionid=:session".
  static QString getSessionRouterPathFor(const QString& pattern);
  // Where a text (a URL, or a message quoting URLs) carries the session: every ";jsessionid="
  // parameter, its value up to the next delimiter of a URL or of running text. Handed to the REST
  // layer at set-up, which masks it in logs and errors and leaves it out of the response cache.
  static QList<rest::SecretSpan> sessionSecrets(QStringView text);
  // SHA-1 of the ASCII text as 40 lower-case hex digits; text outside ASCII is refused.
  static foundation::Result<QString> stringToSha1(const QString& text);

  // Points the response caches of both clients at the cache of `login` for this service.
  void useCacheOfUser(const QString& login);

  rest::RestObjectManager* restManager() const { return m_restManager; }
  // The client made first; the shared client of the process when no other was made before.
  const std::shared_ptr<rest::RestClient>& client() const { return m_client; }

  const rest::RestObjectMappingPtr& userMapping() const { return m_userMapping; }
  const rest::RestObjectMappingPtr& gatewayMapping() const { return m_gatewayMapping; }
  const rest::RestObjectMappingPtr& authReturnMapping() const { return m_authReturnMapping; }
  const rest::RestObjectMappingPtr& deviceMapping() const { return m_deviceMapping; }
  const rest::RestObjectMappingPtr& modeMapping() const { return m_modeMapping; }
  const rest::RestObjectMappingPtr& scenarioMapping() const { return m_scenarioMapping; }
  const rest::RestObjectMappingPtr& favoriteMapping() const { return m_favoriteMapping; }
  const rest::RestObjectMappingPtr& historyAlertMapping() const { return m_historyAlertMapping; }
  const rest::RestObjectMappingPtr& historyMapping() const { return m_historyMapping; }
  const rest::RestObjectMappingPtr& weatherMapping() const { return m_weatherMapping; }
  const rest::RestObjectMappingPtr& recFileMapping() const { return m_recFileMapping; }
  const rest::RestObjectMappingPtr& recMapping() const { return m_recMapping; }
  const rest::RestObjectMappingPtr& playbackMapping() const { return m_playbackMapping; }
  const rest::RestObjectMappingPtr& dashboardMapping() const { return m_dashboardMapping; }
  const rest::RestObjectMappingPtr& deviceLightMapping() const { return m_deviceLightMapping; }
  const rest::RestObjectMappingPtr& listMapping() const { return m_listMapping; }
  const rest::RestObjectMappingPtr& videoServerMapping() const { return m_videoServerMapping; }

 private:
  friend class backend::Singleton<BERestConfig>;
  BERestConfig() = default;

  QString m_baseURL;
  QString m_configuredBaseURL;
  QString m_configuredServer;
  QString m_restType;
  QString m_restVersion;
  bool m_allowInsecureHttp = false;
  int m_playbackPort = 443;
  std::shared_ptr<rest::RestClient> m_client;
  rest::RestObjectManager* m_restManager = nullptr;

  rest::RestObjectMappingPtr m_userMapping;
  rest::RestObjectMappingPtr m_gatewayMapping;
  rest::RestObjectMappingPtr m_authReturnMapping;
  rest::RestObjectMappingPtr m_deviceMapping;
  rest::RestObjectMappingPtr m_modeMapping;
  rest::RestObjectMappingPtr m_scenarioMapping;
  rest::RestObjectMappingPtr m_favoriteMapping;
  rest::RestObjectMappingPtr m_historyAlertMapping;
  rest::RestObjectMappingPtr m_historyMapping;
  rest::RestObjectMappingPtr m_weatherMapping;
  rest::RestObjectMappingPtr m_recFileMapping;
  rest::RestObjectMappingPtr m_recMapping;
  rest::RestObjectMappingPtr m_playbackMapping;
  rest::RestObjectMappingPtr m_dashboardMapping;
  rest::RestObjectMappingPtr m_deviceLightMapping;
  rest::RestObjectMappingPtr m_listMapping;
  rest::RestObjectMappingPtr m_videoServerMapping;
};
