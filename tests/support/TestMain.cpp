// GoogleTest main for the Qt-based tests: runs offscreen unless a platform is chosen (test
// discovery runs the programs at build time, without a display) and creates the application.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

namespace {

// ctest runs many test programs at once, and one after another across runs. Settings, caches
// and data each live in a folder of this process alone, so no program can read what another
// one left behind (a cached answer of another test's server on a reused port, say).
// Death tests run the program again in a child that ends without unwinding: it works in the
// folder its parent made (and removes), so nothing is left behind in the temporary folder.
bool isolateStandardLocations(const QString& home) {
  if (home.isEmpty()) return false;
  qputenv("TB_TEST_HOME", QFile::encodeName(home));
  for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) {
    const QString folder = QDir(home).filePath(QString::fromLatin1(variable).toLower());
    if (!QDir().mkpath(folder)) return false;
    qputenv(variable, QFile::encodeName(folder));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QString inherited = qEnvironmentVariable("TB_TEST_HOME");
  std::optional<QTemporaryDir> owned;
  if (inherited.isEmpty()) owned.emplace(QDir::tempPath() + QStringLiteral("/tavrobox-test-XXXXXX"));
  const QString home = owned ? (owned->isValid() ? owned->path() : QString()) : inherited;
  if (!isolateStandardLocations(home)) {
    std::fprintf(stderr, "cannot create a private folder for the test's settings and caches\n");
    return 2;
  }
  // Keep tests away from the user's own settings, caches and keychain prompts.
  QApplication::setOrganizationName(QStringLiteral("TavroBoxTests"));
  QApplication::setApplicationName(QStringLiteral("TavroBoxTests"));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
