// GoogleTest main for the Qt-based tests: runs offscreen unless a platform is chosen (test
// discovery runs the programs at build time, without a display) and creates the application.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Keep tests away from the user's own settings, caches and keychain prompts.
  QApplication::setOrganizationName(QStringLiteral("TavroBoxTests"));
  QApplication::setApplicationName(QStringLiteral("TavroBoxTests"));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
