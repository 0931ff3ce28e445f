// Faults on demand through the control interface, as the app meets them on the wire.
#include "SimHarness.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <ostream>

using simtest::Reply;
using simtest::SimHarness;

namespace {

class Faults : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(sim.signIn().isEmpty()); }
  SimHarness sim;
};

TEST_F(Faults, ControlInterfaceNeedsTheToken) {
  EXPECT_EQ(sim.control("GET", "/_sim/state", {}, false).status, 401);
  EXPECT_EQ(sim.control("POST", "/_sim/sessions/expire", {}, false).status, 401);
  EXPECT_EQ(sim.call("GET", "/device").status, 200) << "a refused control request changes nothing";
  const Reply state = sim.control("GET", "/_sim/state");
  EXPECT_EQ(state.status, 200);
  EXPECT_EQ(state.json.value("sessions").toInt(), 1);
  EXPECT_EQ(sim.control("GET", "/_sim/nothing").status, 404);
  EXPECT_EQ(sim.control("GET", "/_sim/fail").status, 405);
}

TEST(FaultsClosed, ControlInterfaceWithoutATokenDoesNotExist) {
  simhome::ServiceOptions options = simtest::testOptions();
  options.controlToken.clear();
  SimHarness sim(options);
  EXPECT_EQ(sim.control("GET", "/_sim/state").status, 404);
  EXPECT_EQ(sim.control("GET", "/_sim/state", {}, false).status, 404);
}

TEST_F(Faults, GatewayOffLineRefusesCommandsWith600InPlainText) {
  ASSERT_EQ(sim.control("POST", "/_sim/gateway", R"({"offline":true})").status, 200);
  const Reply command = sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE"})");
  EXPECT_EQ(command.status, 600);
  EXPECT_TRUE(command.header("Content-Type").startsWith("text/plain")) << "a JSON body would read as success in the app";
  EXPECT_EQ(sim.call("PUT", "/favorite/2/start").status, 600);
  EXPECT_EQ(sim.call("PUT", "/video/start/CAM-ENTREE").status, 600);
  EXPECT_EQ(sim.call("GET", "/device").status, 200) << "the cloud still answers from what it knows";
  EXPECT_EQ(sim.call("GET", "/dashboard").status, 200);
  ASSERT_EQ(sim.control("POST", "/_sim/gateway", R"({"codesAsJson":true})").status, 200);
  const Reply json = sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE"})");
  EXPECT_EQ(json.status, 600);
  EXPECT_TRUE(json.json.value("error").isString());
  ASSERT_EQ(sim.control("POST", "/_sim/gateway", R"({"offline":false})").status, 200);
  EXPECT_EQ(sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE"})").status, 200);
}

TEST_F(Faults, PrivacyModeRefusesCameraOperationsWith620) {
  ASSERT_EQ(sim.control("POST", "/_sim/gateway", R"({"privacy":true})").status, 200);
  EXPECT_EQ(sim.call("PUT", "/video/start/CAM-ENTREE").status, 620);
  EXPECT_EQ(sim.call("PUT", "/video/image/start/0").status, 620);
  EXPECT_EQ(sim.call("GET", "/video/image/CAM-ENTREE").status, 620);
  EXPECT_EQ(sim.call("PUT", "/video/record/CAM-ENTREE").status, 620);
  EXPECT_EQ(sim.call("PUT", "/device/camera/CAM-JARDIN/command", R"({"key":"command","value":"MVL"})").status, 620);
  EXPECT_EQ(sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE"})").status, 200) << "only cameras are private";
  EXPECT_EQ(sim.call("GET", "/video/record").status, 200);
}

TEST_F(Faults, NoRecordingCreditGives615) {
  ASSERT_EQ(sim.control("POST", "/_sim/gateway", R"({"credit":1})").status, 200);
  EXPECT_EQ(sim.call("PUT", "/video/record/CAM-ENTREE").status, 200);
  const Reply refused = sim.call("PUT", "/video/record/CAM-ENTREE");
  EXPECT_EQ(refused.status, 615);
  EXPECT_TRUE(refused.header("Content-Type").startsWith("text/plain"));
  EXPECT_EQ(sim.control("POST", "/_sim/gateway", R"({"credit":-2})").status, 400);
  EXPECT_EQ(sim.control("POST", "/_sim/gateway", R"({"offline":"yes"})").status, 400);
}

TEST_F(Faults, FailNextRequestsOfAPathWithAStatus) {
  ASSERT_EQ(sim.control("POST", "/_sim/fail", R"({"path":"/device","method":"GET","count":2,"status":503})").status, 200);
  EXPECT_EQ(sim.call("GET", "/dashboard").status, 200) << "other paths are untouched";
  EXPECT_EQ(sim.call("GET", "/device").status, 503);
  EXPECT_EQ(sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE"})").status, 200) << "other methods too";
  EXPECT_EQ(sim.call("GET", "/device").status, 503);
  EXPECT_EQ(sim.call("GET", "/device").status, 200) << "the rule is spent";
}

TEST_F(Faults, FailRulesMatchPathPatternsAndGatewayCodes) {
  ASSERT_EQ(sim.control("POST", "/_sim/fail", R"({"path":"/favorite/:id/start","status":601})").status, 200);
  const Reply r = sim.call("PUT", "/favorite/3/start");
  EXPECT_EQ(r.status, 601);
  EXPECT_TRUE(r.header("Content-Type").startsWith("text/plain"));
  EXPECT_EQ(sim.call("GET", "/favorite/light").json.value("favorites").toArray()[2].toObject().value("status"), "0")
      << "a failed request has no effect";
  EXPECT_EQ(sim.call("PUT", "/favorite/3/start").status, 200);
}

struct BadRule {
  const char* name;
  const char* body;
};
void PrintTo(const BadRule& c, std::ostream* os) { *os << c.name; }
class RejectedRule : public ::testing::TestWithParam<BadRule> {};
TEST_P(RejectedRule, IsRefusedWith400) {
  SimHarness sim;
  const Reply r = sim.control("POST", "/_sim/fail", GetParam().body);
  EXPECT_EQ(r.status, 400) << r.body.constData();
  EXPECT_TRUE(sim.control("GET", "/_sim/state").json.value("rules").toArray().isEmpty());
}
INSTANTIATE_TEST_SUITE_P(Bodies, RejectedRule,
                         ::testing::Values(BadRule{"noPath", R"({"status":500})"},
                                           BadRule{"countZero", R"({"path":"/device","count":0})"},
                                           BadRule{"statusBelow100", R"({"path":"/device","status":42})"},
                                           BadRule{"unknownEffect", R"({"path":"/device","effect":"explode"})"},
                                           BadRule{"unknownAnswer", R"({"path":"/device","answer":"xml"})"},
                                           BadRule{"pathEndsInBackslash", R"({"path":"/x\\"})"},
                                           BadRule{"notJson", "not json"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Faults, SocketEffectsAreAppliedToTheRealAnswer) {
  // The client resends a request whose connection closed before any answer, so the rules
  // cover its retries too.
  ASSERT_EQ(sim.control("POST", "/_sim/fail", R"({"path":"/device/status","effect":"close-before-answer","count":5})").status, 200);
  const Reply closed = sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE"})");
  EXPECT_EQ(closed.status, 0);
  EXPECT_NE(closed.error, QNetworkReply::NoError);
  ASSERT_EQ(sim.control("POST", "/_sim/fail", R"({"path":"/history","effect":"close-mid-body","count":5})").status, 200);
  const Reply cut = sim.call("GET", "/history");
  EXPECT_NE(cut.error, QNetworkReply::NoError);
  ASSERT_EQ(sim.control("DELETE", "/_sim/fail").status, 200);
  EXPECT_EQ(sim.call("GET", "/history").status, 200);
}

TEST_F(Faults, AnswersThatAreNotJsonOrCutShort) {
  ASSERT_EQ(sim.control("POST", "/_sim/fail", R"({"path":"/dashboard","answer":"not-json"})").status, 200);
  const Reply html = sim.call("GET", "/dashboard");
  EXPECT_EQ(html.status, 200);
  EXPECT_TRUE(html.header("Content-Type").startsWith("text/html"));
  ASSERT_EQ(sim.control("POST", "/_sim/fail", R"({"path":"/dashboard","answer":"truncated"})").status, 200);
  const Reply truncated = sim.call("GET", "/dashboard");
  EXPECT_EQ(truncated.status, 200);
  EXPECT_TRUE(truncated.header("Content-Type").startsWith("application/json"));
  QJsonParseError error;
  QJsonDocument::fromJson(truncated.body, &error);
  EXPECT_NE(error.error, QJsonParseError::NoError);
  EXPECT_EQ(sim.call("GET", "/dashboard").json.value("cameras").toArray().size(), 3) << "then whole again";
}

TEST_F(Faults, ExpiringAllSessionsGives403Next) {
  ASSERT_EQ(sim.control("POST", "/_sim/sessions/expire").status, 200);
  EXPECT_EQ(sim.call("GET", "/device").status, 403);
  EXPECT_FALSE(sim.signIn().isEmpty());
  EXPECT_EQ(sim.call("GET", "/device").status, 200);
}

TEST_F(Faults, LatencyDelaysEveryAnswerAndResetClearsEverything) {
  ASSERT_EQ(sim.control("POST", "/_sim/latency", R"({"ms":250})").status, 200);
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(sim.call("GET", "/gateway/mode").status, 200);
  EXPECT_GE(timer.elapsed(), 250);
  EXPECT_EQ(sim.control("POST", "/_sim/latency", R"({"ms":-1})").status, 400);
  ASSERT_EQ(sim.control("POST", "/_sim/gateway", R"({"offline":true,"privacy":true})").status, 200);
  ASSERT_EQ(sim.control("POST", "/_sim/fail", R"({"path":"*","count":5,"status":500})").status, 200);
  const Reply reset = sim.control("POST", "/_sim/reset");
  EXPECT_EQ(reset.json.value("latencyMs").toInt(), 0);
  EXPECT_FALSE(reset.json.value("gatewayOffline").toBool());
  EXPECT_TRUE(reset.json.value("rules").toArray().isEmpty());
  EXPECT_EQ(sim.call("PUT", "/video/start/CAM-ENTREE").status, 200);
}

}  // namespace
