// GoogleTest main for the Qt-based tests: runs offscreen unless a platform is chosen (test
// discovery runs the programs at build time, without a display) and creates the application.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

namespace {

// ctest runs many test programs at once, and one after another across runs. Settings, caches
// and data each live in a folder of this process alone, so no program can read what another
// one left behind (a cached answer of another test's server on a reused port, say).
// Death tests run the program again in a child that ends without unwinding: it works in the
// folder its parent made (and removes), so nothing is left behind in the temporary folder.
// Temporary folders of the tests (tbtest::TempDir) are made inside it too.
bool isolateStandardLocations(const QString& home) {
  if (home.isEmpty()) return false;
  qputenv("TB_TEST_HOME", QFile::encodeName(home));
  // The runtime folder too (Qt would otherwise make one of its own in the temporary folder).
  for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
    const QString folder = QDir(home).filePath(QString::fromLatin1(variable).toLower());
    if (!QDir().mkpath(folder) || !QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                      QFileDevice::ExeOwner))
      return false;
    qputenv(variable, QFile::encodeName(folder));
  }
  return true;
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

// The folder goes with the program however the program ends (a crash, an abort, a kill included):
// a small process of its own waits for the program to be gone, then removes it. Started before
// any thread exists.
void removeWhenThisProcessEnds(const QByteArray& folder) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return;
  }
  if (child == 0) {
    ::close(fds[1]);
    ::setsid();  // not in the program's process group: a kill of the group leaves it to clean up
    char byte;
    while (::read(fds[0], &byte, 1) != 0) {
    }
    ::nftw(folder.constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
    ::_exit(0);
  }
  ::close(fds[0]);  // the write end stays open, unseen by programs it starts, until this one ends
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QString inherited = qEnvironmentVariable("TB_TEST_HOME");
  std::optional<QTemporaryDir> owned;
  if (inherited.isEmpty()) owned.emplace(QDir::tempPath() + QStringLiteral("/tavrobox-test-XXXXXX"));
  const QString home = owned ? (owned->isValid() ? owned->path() : QString()) : inherited;
  if (owned && owned->isValid()) removeWhenThisProcessEnds(QFile::encodeName(home));
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
