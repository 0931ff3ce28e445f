#include "support/server/TestServer.h"

#include "support/TempDir.h"
#include "support/server/TsanDefaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace tbtest {

namespace {
TestCertificate makeCertificate(const QString& baseName) {
  TestCertificate failed;
  static QTemporaryDir folder(temporaryFolderTemplate());
  QString error;
  const auto files = simcore::generateSelfSignedIdentity(folder.path(), baseName, &error);
  if (!files) {
    ADD_FAILURE() << "cannot generate a test certificate: " << error.toStdString();
    return failed;
  }
  auto identity = simcore::TlsIdentity::fromPemFiles(files->certificatePath, files->keyPath);
  if (!identity) {
    ADD_FAILURE() << "cannot read the generated test certificate";
    return failed;
  }
  return TestCertificate{files->certificatePath, files->keyPath, *identity};
}
}  // namespace

const TestCertificate& testCertificate() {
  static const TestCertificate certificate = makeCertificate(QStringLiteral("service"));
  return certificate;
}

const TestCertificate& otherTestCertificate() {
  static const TestCertificate certificate = makeCertificate(QStringLiteral("impostor"));
  return certificate;
}

TestServer::TestServer(Mode mode, const TestCertificate* certificate) {
  const simcore::TlsIdentity* tls = nullptr;
  if (mode == Mode::Tls) tls = &(certificate ? *certificate : testCertificate()).identity;
  const bool listening = m_server.listen(QHostAddress::LocalHost, 0, tls);
  EXPECT_TRUE(listening) << m_server.errorString().toStdString();
}

QString TestServer::urlString(const QString& path) const { return url().toString() + path; }

}  // namespace tbtest
