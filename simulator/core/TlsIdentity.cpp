#include "core/TlsIdentity.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace simcore {

namespace {
QByteArray readAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}
}  // namespace

std::optional<TlsIdentity> TlsIdentity::fromPemFiles(const QString& cert, const QString& key) {
  const QByteArray certPem = readAll(cert);
  const QByteArray keyPem = readAll(key);
  if (certPem.isEmpty() || keyPem.isEmpty()) return std::nullopt;
  const auto certificates = QSslCertificate::fromData(certPem, QSsl::Pem);
  if (certificates.isEmpty() || certificates.first().isNull()) return std::nullopt;
  for (QSsl::KeyAlgorithm algorithm : {QSsl::Ec, QSsl::Rsa, QSsl::Dsa}) {
    QSslKey parsed(keyPem, algorithm, QSsl::Pem, QSsl::PrivateKey);
    if (!parsed.isNull()) return TlsIdentity{certificates.first(), parsed};
  }
  return std::nullopt;
}

std::optional<GeneratedIdentityFiles> generateSelfSignedIdentity(const QString& folder, const QString& baseName,
                                                                 QString* error) {
  const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
  if (openssl.isEmpty()) {
    if (error) *error = QStringLiteral("the openssl command is not installed");
    return std::nullopt;
  }
  QDir().mkpath(folder);
  GeneratedIdentityFiles files{QDir(folder).filePath(baseName + QStringLiteral(".crt")),
                               QDir(folder).filePath(baseName + QStringLiteral(".key"))};
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  // An EC key is quick to make; ten years keeps a generated fixture valid.
  process.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                          QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"),
                          QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("3650"),
                          QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                          QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost"),
                          QStringLiteral("-keyout"), files.keyPath, QStringLiteral("-out"), files.certificatePath});
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    if (error) *error = QString::fromLocal8Bit(process.readAll()).trimmed();
    if (error && error->isEmpty()) *error = process.errorString();
    return std::nullopt;
  }
  return files;
}

}  // namespace simcore
