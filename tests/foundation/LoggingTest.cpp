#include "foundation/Logging.h"

#include <gtest/gtest.h>

TEST(Logging, LineCarriesLevelComponentFileAndLine) {
  QMessageLogContext context("/src/rest/network/RestRequestQueue.cpp", 212, "void f()", "rest.network.queue");
  EXPECT_EQ(foundation::formatLogLine(QtWarningMsg, context, QStringLiteral("Unbalanced network activity: count already 0.")),
            QStringLiteral("W rest.network.queue:RestRequestQueue.cpp:212 Unbalanced network activity: count already 0."));
  EXPECT_TRUE(foundation::formatLogLine(QtCriticalMsg, context, "x").startsWith("E "));
}

TEST(Logging, ComponentsPrintWarningsButNotInformation) {
  EXPECT_TRUE(lcRestNetwork().isWarningEnabled());
  EXPECT_TRUE(lcApp().isCriticalEnabled());
  EXPECT_FALSE(lcRestObjectMapping().isInfoEnabled());
  EXPECT_FALSE(lcRestCache().isDebugEnabled());
  EXPECT_STREQ(lcRestReachability().categoryName(), "rest.network.reachability");
}
