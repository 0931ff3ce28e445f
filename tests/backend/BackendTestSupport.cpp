#include "BackendTestSupport.h"

#include "backend/BackendReset.h"

#include "backend/BERestConfig.h"
#include "backend/BEServiceCamera.h"
#include "backend/BEServiceConsumption.h"
#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceDevice.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceHistory.h"
#include "backend/BEServiceLogin.h"
#include "backend/BEServiceMode.h"
#include "backend/BEServiceScenario.h"
#include "backend/BEServiceWeather.h"
#include "backend/BESessionManager.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/TlsTrust.h"
#include "support/Wait.h"

#include <QJsonDocument>

namespace backendtest {

NotificationLog::NotificationLog() {
  for (std::string_view name : backend::kAllNotificationNames)
    m_observations.add(std::string(name), [this](const foundation::Notification& n) {
      m_names << QString::fromStdString(n.name);
    });
  // The REST layer posts one of these after the delegate has heard the outcome.
  for (const char* name : {rest::RestRequestDidLoadResponseNotification, rest::RestRequestDidFailWithErrorNotification})
    m_observations.add(name, [this](const foundation::Notification&) { ++m_finished; });
}

void resetBackend() { backend::resetAllSingletons(); }

foundation::ManualClock& processClock() {
  static auto* clock = new foundation::ManualClock();
  return *clock;
}

void BackendTest::SetUp() {
  configure(server.url());
  signIn("S1");
}

void BackendTest::TearDown() {
  resetBackend();
  rest::setTlsTrustSettings({});
}

void BackendTest::configure(const QUrl& url, const QStringList& certificates) {
  resetBackend();
  foundation::Configuration configuration;
  configuration.restServer = url.toString();
  while (configuration.restServer.endsWith('/')) configuration.restServer.chop(1);
  configuration.restType = QStringLiteral("tavrobox");
  configuration.restVersion = QStringLiteral("v1");
  configuration.trustedCertificates = certificates;
  BERestConfig::getInstance().initRestLayer(configuration);
}

void BackendTest::signIn(const std::string& sessionId) {
  auto auth = std::make_shared<VOAuth>();
  auth->sessionId = sessionId;
  BESessionManager::getInstance().setAuth(auth);
}

bool BackendTest::waitForFinished(int count) {
  return tbtest::waitUntil([&] { return log.finishedRequests() >= count; });
}

simcore::HttpRequest BackendTest::request(int index) {
  if (!tbtest::waitUntil([&] { return server.requestCount() > index; })) {
    ADD_FAILURE() << "request " << index << " never arrived";
    return {};
  }
  return server.requests().at(index);
}

QStringList BackendTest::answerWith(const std::function<void()>& operation, simcore::HttpResponse answer) {
  server.script().enqueue(std::move(answer));
  const int before = log.finishedRequests();
  log.clear();
  operation();
  EXPECT_TRUE(waitForFinished(before + 1)) << "no answer delivered";
  return log.names();
}

QJsonObject BackendTest::jsonBody(const simcore::HttpRequest& request) {
  QJsonParseError error{};
  const auto doc = QJsonDocument::fromJson(request.body, &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << request.body.toStdString();
  return doc.object();
}

}  // namespace backendtest
