#pragma once
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tbtest {

// A temporary folder that exists for the test's life.
class TempDir {
 public:
  TempDir() { EXPECT_TRUE(m_dir.isValid()); }
  QString path() const { return m_dir.path(); }
  QString file(const QString& name) const { return m_dir.filePath(name); }

 private:
  QTemporaryDir m_dir;
};

}  // namespace tbtest
