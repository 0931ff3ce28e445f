// Test programs leave nothing in the temporary folder, also when they crash: the program's own
// folder, with every temporary folder of its tests inside, goes when the program ends.
#include "support/TempDir.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Run only as the child below: makes temporary folders, then dies without unwinding.
TEST(DISABLED_TestFoldersChild, CrashesWithTemporaryFolders) {
  tbtest::TempDir first, second;
  std::abort();
}

TEST(TestFolders, ACrashedProgramLeavesNothingBehind) {
  tbtest::TempDir scratch;
  const QString tmp = scratch.file("tmp");
  ASSERT_TRUE(QDir().mkpath(tmp));
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("TB_TEST_HOME");
  environment.insert("TMPDIR", tmp);
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_also_run_disabled_tests", "--gtest_filter=DISABLED_TestFoldersChild.*"});
  ASSERT_TRUE(child.waitForFinished(60000));
  EXPECT_NE(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, true) << "the child was meant to crash";
  EXPECT_TRUE(tbtest::waitUntil([&] { return QDir(tmp).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }, 10000))
      << QDir(tmp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(' ').toStdString();
}

}  // namespace
