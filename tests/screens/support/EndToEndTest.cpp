// What every screen relies on, against the simulated service: a call hears exactly its own
// outcome, and a gateway code is a failure with its alert whatever the body it comes with.
#include "ScreenHarness.h"

#include "backend/BEServiceDevice.h"
#include "backend/ServiceCalls.h"
#include "foundation/Strings.h"
#include "support/Wait.h"

#include <QJsonDocument>

namespace screentest {
namespace {

using EndToEndTest = ScreenTest;

TEST_F(EndToEndTest, AGatewayCodeIsAFailureWithItsAlertWhateverItsBody) {
  for (const bool asJson : {false, true}) {
    SCOPED_TRACE(asJson ? "JSON body" : "text body");
    const QJsonObject body{{"offline", true}, {"codesAsJson", asJson}};
    ASSERT_EQ(sim->control("POST", QStringLiteral("/_sim/gateway"), QJsonDocument(body).toJson()).status / 100, 2);
    backend::ServiceCalls calls;
    int successes = 0, errors = 0;
    calls.call(BEServiceDevice::getInstance().putStatusWithId(QStringLiteral("ON"), QStringLiteral("LGT-SALON")),
               [&] { ++successes; }, [&] { ++errors; });
    ASSERT_TRUE(tbtest::waitUntil([&] { return successes + errors > 0; }));
    EXPECT_EQ(successes, 0);
    EXPECT_EQ(errors, 1);
    ASSERT_EQ(alertCount(), 1);
    EXPECT_EQ(topAlertMessage(), foundation::localized("kTradAlertGatewayOff"));
    dismissAlert();
    gatewayOffline(false);
  }
}

TEST_F(EndToEndTest, TwoCommandsInFlightEachHearTheirOwnAnswer) {
  fail(QStringLiteral("/device/status"), QStringLiteral("PUT"), 503, 1);
  backend::ServiceCalls calls;
  QStringList outcomes;
  for (const char* serial : {"LGT-SALON", "LGT-CUISINE"})
    calls.call(BEServiceDevice::getInstance().putStatusWithId(QStringLiteral("ON"), QString::fromLatin1(serial)),
               [&outcomes, serial] { outcomes << QStringLiteral("%1 ok").arg(serial); },
               [&outcomes, serial] { outcomes << QStringLiteral("%1 failed").arg(serial); });
  ASSERT_TRUE(tbtest::waitUntil([&] { return outcomes.size() == 2; }));
  outcomes.sort();
  EXPECT_EQ(outcomes, (QStringList{"LGT-CUISINE ok", "LGT-SALON failed"}));
  EXPECT_EQ(calls.pendingCount(), 0u);
}

}  // namespace
}  // namespace screentest
