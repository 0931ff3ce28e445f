#pragma once
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tbtest {

// Where a test's temporary folders go: inside the program's own folder (removed when the program
// ends, however it ends), else the temporary folder.
inline QString temporaryFolderTemplate() {
  const QString home = qEnvironmentVariable("TB_TEST_HOME");
  return (home.isEmpty() ? QDir::tempPath() : home) + QStringLiteral("/tmp-XXXXXX");
}

// A temporary folder that exists for the test's life.
class TempDir {
 public:
  TempDir() : m_dir(temporaryFolderTemplate()) { EXPECT_TRUE(m_dir.isValid()); }
  QString path() const { return m_dir.path(); }
  QString file(const QString& name) const { return m_dir.filePath(name); }

 private:
  QTemporaryDir m_dir;
};

}  // namespace tbtest
