// Raising an event on demand: it tops the history at once, with a new validator, and a camera's
// event carries the camera's name.
#include "SimHarness.h"

#include <QJsonArray>

#include <gtest/gtest.h>

using simtest::Reply;
using simtest::SimHarness;

TEST(SimEvent, RaisedEventTopsTheHistoryAndBadBodiesChangeNothing) {
  SimHarness sim;
  ASSERT_FALSE(sim.signIn().isEmpty());
  const Reply before = sim.call("GET", "/history");
  ASSERT_EQ(before.status, 200);

  for (const char* bad : {R"({"camera":"LGT-CUISINE"})", R"({"origin":0})", R"({"alert":"2"})", "[1]", R"({"home":"nowhere"})"})
    EXPECT_GE(sim.control("POST", "/_sim/event", bad).status, 400) << bad;
  EXPECT_EQ(sim.call("GET", "/history", {}, {{"If-None-Match", before.header("ETag")}}).status, 304);

  sim.clock.advanceMs(5000);
  const Reply raised = sim.control("POST", "/_sim/event", R"({"type":"P1DMO","camera":"CAM-ENTREE"})");
  ASSERT_EQ(raised.status, 200) << raised.body.toStdString();
  const Reply after = sim.call("GET", "/history", {}, {{"If-None-Match", before.header("ETag")}});
  ASSERT_EQ(after.status, 200);
  const QJsonObject top = after.json.value("history").toArray().first().toObject();
  EXPECT_EQ(top.value("origin").toString(), "0");
  EXPECT_EQ(top.value("reason").toString(), "0");
  EXPECT_EQ(top.value("type").toString(), "P1DMO");
  EXPECT_EQ(top.value("date").toString(), raised.json.value("events").toArray().first().toObject().value("date").toString());
  EXPECT_FALSE(top.value("name").toString().isEmpty());
  EXPECT_FALSE(top.value("alerts").toArray().isEmpty()) << "an alarm sent its messages";
}
