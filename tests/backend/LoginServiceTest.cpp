#include "BackendTestSupport.h"

#include "backend/BERestConfig.h"
#include "backend/BEServiceLogin.h"
#include "rest/network/RestClient.h"
#include "backend/BESessionManager.h"
#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceDevice.h"
#include "backend/ServiceReachability.h"
#include "backend/SignInGate.h"

#include <functional>
#include <tuple>

using namespace backendtest;
using simcore::HttpResponse;

namespace {

const QByteArray kSignInAnswer = R"({"sessionId": "NEW", "user": {"id": 1042, "login": "demo"},
                                     "gateway": {"id": "GW0042A7", "serial": "TB-1"}})";

class LoginServiceTest : public BackendTest {
 protected:
  QStringList signInWith(HttpResponse answer, const QString& login = "demo", const QString& password = "secret") {
    return answerWith([&] { BEServiceLogin::getInstance().postLoginWithPassword(login, password); },
                      std::move(answer));
  }
};

TEST_F(LoginServiceTest, PostsTheDigestAndStoresTheAnswerBeforeAnnouncingIt) {
  std::string sessionSeenByObserver;
  foundation::Observations watch;
  watch.add(kSuccessLoginPostLogin, [&](const foundation::Notification&) {
    const auto& auth = BESessionManager::getInstance().auth();
    sessionSeenByObserver = auth && auth->gateway ? *auth->sessionId + "/" + *auth->gateway->identifier : "";
  });

  EXPECT_EQ(signInWith(HttpResponse::json(200, kSignInAnswer), "  Demo "), QStringList{kSuccessLoginPostLogin});
  EXPECT_EQ(sessionSeenByObserver, "NEW/GW0042A7");
  EXPECT_EQ(BESessionManager::getInstance().auth()->user->identifier, "1042");

  const auto sent = request();
  EXPECT_EQ(sent.method, "POST");
  EXPECT_EQ(sent.path, wirePath("/auth"));  // the one request without a session
  EXPECT_EQ(sent.header("Content-Type"), "application/json");
  // The user name as typed, never the clear-text password.
  EXPECT_EQ(jsonBody(sent), (QJsonObject{{"login", "  Demo "},
                                         {"password", "e5e9fa1ba31ecd1ae84f75caaa474f3a663f05f4"},
                                         {"ihm", "iphone"}}));
}

TEST_F(LoginServiceTest, EveryRefusalIsOneErrorWithoutAlertAndKeepsThePreviousSession) {
  const std::pair<const char*, HttpResponse> refusals[] = {
      {"wrong credentials", HttpResponse::json(401, R"({"error": "bad credentials"})")},
      {"forbidden", HttpResponse::text(403, "no")},
      {"server error", HttpResponse::json(500, "{}")},
      {"not JSON", HttpResponse::text(200, "welcome")},
      {"empty answer", HttpResponse::json(200, "")},
      {"no session identifier", HttpResponse::json(200, R"({"user": {"id": 1}})")},
      {"empty session identifier", HttpResponse::json(200, R"({"sessionId": "", "user": {"id": 1}})")},
      {"a list instead of the answer", HttpResponse::json(200, "[" + kSignInAnswer + "]")},
      {"gateway code with JSON", HttpResponse::json(600, kSignInAnswer)},
  };
  for (const auto& [what, answer] : refusals) {
    EXPECT_EQ(signInWith(answer), QStringList{kErrorLoginPostLogin}) << what;
    EXPECT_EQ(BESessionManager::getInstance().sessionId(), "S1") << what;
    // Only the service's own "no" is a refusal of the credentials.
    const int status = answer.status;
    EXPECT_EQ(BEServiceLogin::getInstance().credentialsRefused(), status == 401 || status == 403) << what;
  }
}

// A sign-in as another user starts from an empty session store and another response cache; the
// same user signing in again keeps both.
TEST_F(LoginServiceTest, AnotherUserFindsNothingOfThePreviousOne) {
  auto& store = BESessionManager::getInstance();
  const auto cachePath = [] { return BERestConfig::getInstance().client()->requestCache()->cachePath(); };
  ASSERT_EQ(signInWith(HttpResponse::json(200, kSignInAnswer), "demo"), QStringList{kSuccessLoginPostLogin});
  const QString demoCache = cachePath();
  store.setDevices({std::make_shared<VODevice>()});
  ASSERT_EQ(signInWith(HttpResponse::json(200, kSignInAnswer), "demo"), QStringList{kSuccessLoginPostLogin});
  EXPECT_EQ(store.devices().size(), 1u);
  EXPECT_EQ(cachePath(), demoCache);
  ASSERT_EQ(signInWith(HttpResponse::json(200, kSignInAnswer), "anne"), QStringList{kSuccessLoginPostLogin});
  EXPECT_TRUE(store.devices().empty());
  EXPECT_EQ(store.sessionId(), "NEW");
  EXPECT_NE(cachePath(), demoCache);
  EXPECT_EQ(cachePath(), rest::RestRequestCache::cachePathForUserAndServer("anne", BERestConfig::getInstance().client()->baseURL()));
}

TEST_F(LoginServiceTest, APasswordWithoutDigestIsRefusedBeforeSending) {
  log.clear();
  BEServiceLogin::getInstance().postLoginWithPassword("demo", QStringLiteral("été"));
  EXPECT_EQ(log.names(), QStringList{kErrorLoginPostLogin});
  tbtest::processEventsFor(50);
  EXPECT_EQ(server.requestCount(), 0);
}

TEST_F(LoginServiceTest, ASelfSignedServiceIsReachedOnlyWithItsConfiguredCertificate) {
  tbtest::TestServer tls(tbtest::TestServer::Mode::Tls);
  const QString trusted = tbtest::testCertificate().certificatePath;
  tbtest::TestServer impostor(tbtest::TestServer::Mode::Tls, &tbtest::otherTestCertificate());
  const auto signInAt = [&](tbtest::TestServer& at) {
    configure(at.url(), {trusted});
    at.script().enqueue(HttpResponse::json(200, kSignInAnswer));
    log.clear();
    const int before = log.finishedRequests();
    BEServiceLogin::getInstance().postLoginWithPassword("demo", "secret");
    EXPECT_TRUE(waitForFinished(before + 1));
    return log.names();
  };
  EXPECT_EQ(signInAt(tls), QStringList{kSuccessLoginPostLogin});
  EXPECT_EQ(signInAt(impostor), QStringList{kErrorLoginPostLogin});
  EXPECT_EQ(impostor.requestCount(), 0);
}

// A start with remembered credentials shows the menu while their sign-in is under way: until it
// answers nothing that needs a session leaves (there is none yet), and then everything does.
TEST_F(LoginServiceTest, WhileTheFirstSignInIsUnderWayNothingThatNeedsASessionIsSent) {
  BESessionManager::getInstance().clear();
  backend::setSignInUnderWay(true);
  int commandsRefused = 0;
  foundation::Observations watch;
  watch.add(kServiceUnreachableCommandRefused, [&](const foundation::Notification&) { ++commandsRefused; });
  const std::tuple<const char*, std::function<backend::ReplyPtr()>, const char*> operations[] = {
      {"a list", [] { return BEServiceDevice::getInstance().getList(); }, kErrorDeviceGetList},
      {"the dashboard", [] { return BEServiceDashboard::getInstance().getDashboard(); }, kErrorDashboardGetDashboard},
      {"a record sent", [] { return BEServiceCamera::getInstance().getRecServer(); }, kErrorCameraGetPlayback},
      {"a command", [] { return BEServiceDevice::getInstance().putStatusWithId("ON", "LGT-1"); }, kErrorDevicePutStatus},
  };
  for (const auto& [what, operation, error] : operations) {
    log.clear();
    const backend::ReplyPtr reply = operation();
    EXPECT_EQ(reply->state(), backend::Reply::State::Failed) << what;
    EXPECT_TRUE(log.names().contains(QString::fromLatin1(error))) << what;
  }
  EXPECT_EQ(commandsRefused, 1) << "the command alone says so";
  EXPECT_EQ(BESessionManager::getInstance().home().deviceStatus("LGT-1"), QString()) << "and shows nothing";
  tbtest::processEventsFor(50);
  EXPECT_EQ(server.requestCount(), 0);

  // The sign-in answers: the gate opens, and reads go with the new session.
  EXPECT_EQ(signInWith(HttpResponse::json(200, kSignInAnswer)), QStringList{kSuccessLoginPostLogin});
  EXPECT_FALSE(backend::signInUnderWay());
  answerWith([] { BEServiceDevice::getInstance().getList(); }, HttpResponse::json(200, R"({"deviceList": []})"));
  EXPECT_TRUE(request(1).path.contains(";jsessionid=NEW")) << request(1).path.toStdString();
}

}  // namespace
