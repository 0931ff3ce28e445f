#include "BackendTestSupport.h"

#include "backend/BEServiceDashboard.h"
#include "backend/BESessionManager.h"

using namespace backendtest;
using simcore::HttpResponse;

namespace {

class DashboardServiceTest : public BackendTest {
 protected:
  QStringList fetch(HttpResponse answer) {
    return answerWith([] { BEServiceDashboard::getInstance().getDashboard(); }, std::move(answer));
  }
  static const std::shared_ptr<VODashboard>& stored() { return BESessionManager::getInstance().dashboard(); }
};

TEST_F(DashboardServiceTest, TheWholeAnswerIsTheDashboard) {
  EXPECT_EQ(fetch(HttpResponse::json(200, R"({
      "cameras": [{"id": 401, "serial": "CAM-ENTREE", "type": "FCAM"}],
      "climatic": [], "opening": [],
      "lighting": [{"id": 101, "serial": "LGT-SALON", "status": "ON"}, {"id": 102}],
      "favorites": [{"id": 3, "name": "Soirée", "status": "1"}],
      "modes": [{"mode": "PRESENCE", "subCategory": "INTRUSION"}],
      "scenarios": [{"id": 7, "category": "LIGHTING"}],
      "dashboard": {"cameras": []}})")),
            QStringList{kSuccessDashboardGetDashboard});
  ASSERT_TRUE(stored());
  EXPECT_EQ(stored()->cameras.size(), 1u);
  EXPECT_EQ(stored()->cameras[0]->type, "FCAM");
  EXPECT_EQ(stored()->lighting.size(), 2u);
  EXPECT_EQ(stored()->lighting[0]->identifier, "101");
  EXPECT_EQ(stored()->favorites[0]->name, "Soirée");
  EXPECT_EQ(stored()->modes[0]->mode, "PRESENCE");
  EXPECT_EQ(stored()->scenarios[0]->identifier, "7");

  const auto sent = request();
  EXPECT_EQ(sent.method, "GET");
  EXPECT_EQ(sent.path, wirePath("/dashboard;jsessionid=S1"));
  EXPECT_EQ(sent.header("Content-Length"), "0");
  EXPECT_TRUE(sent.body.isEmpty());
}

TEST_F(DashboardServiceTest, EmptyListsReplaceTheDashboard) {
  fetch(HttpResponse::json(200, R"({"lighting": [{"id": 1}]})"));
  EXPECT_EQ(fetch(HttpResponse::json(200, R"({"cameras": [], "climatic": [], "lighting": [], "opening": [],
                                             "favorites": [], "modes": [], "scenarios": []})")),
            QStringList{kSuccessDashboardGetDashboard});
  ASSERT_TRUE(stored());
  EXPECT_TRUE(stored()->lighting.empty());
}

TEST_F(DashboardServiceTest, AnswersWithoutADashboardKeepTheLastOne) {
  fetch(HttpResponse::json(200, R"({"lighting": [{"id": 1}]})"));
  const auto previous = stored();
  ASSERT_TRUE(previous);
  // Nothing to map: a failure without an alert (the status is 200); the screen draws the last
  // dashboard.
  EXPECT_EQ(fetch(HttpResponse::json(200, "")), QStringList{kErrorDashboardGetDashboard});
  EXPECT_EQ(stored(), previous);
  EXPECT_EQ(fetch(HttpResponse::json(503, R"({"error": "maintenance"})")),
            (QStringList{kErrorDashboardGetDashboard, kNotification5xxServerError}));
  EXPECT_EQ(stored(), previous);
}

TEST_F(DashboardServiceTest, AFailureForAReplacedSessionEndsInTheErrorAndItsAlert) {
  server.script().enqueue(HttpResponse::text(500, "down").withEffect(simcore::SocketEffect::hold()));
  BEServiceDashboard::getInstance().getDashboard();
  ASSERT_TRUE(tbtest::waitUntil([&] { return server.server().heldCount() == 1; }));
  signIn("S2");
  log.clear();
  server.server().releaseHeld();
  ASSERT_TRUE(waitForFinished());
  EXPECT_EQ(log.names(), (QStringList{kErrorDashboardGetDashboard, kNotification5xxServerError}));
}

}  // namespace
