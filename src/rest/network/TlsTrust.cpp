#include "rest/network/TlsTrust.h"

#include "foundation/Logging.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMutex>

#include <optional>

namespace rest {

namespace {
QMutex g_mutex;
TlsTrustSettings g_settings;
// Made once per settings: building a configuration costs more than the rest of a request's
// preparation.
std::optional<QSslConfiguration> g_plainConfiguration;
std::optional<QSslConfiguration> g_exceptionsConfiguration;
}  // namespace

QByteArray parseFingerprint(const QString& text) {
  QString hex = text.trimmed();
  hex.remove(':');
  hex.remove(' ');
  if (hex.size() != 64) return {};
  for (QChar c : hex)
    if (!c.isDigit() && !(c.toLower() >= 'a' && c.toLower() <= 'f')) return {};
  return QByteArray::fromHex(hex.toLatin1());
}

TlsTrustSettings TlsTrustSettings::fromConfiguration(const foundation::Configuration& configuration,
                                                     QStringList* problems) {
  TlsTrustSettings settings;
  settings.insecure = configuration.insecureTLS;
  for (const QString& path : configuration.trustedCertificates) {
    QFile file(path);
    const auto certificates = file.open(QIODevice::ReadOnly) ? QSslCertificate::fromData(file.readAll(), QSsl::Pem)
                                                             : QList<QSslCertificate>{};
    if (certificates.isEmpty()) {
      if (problems) *problems << QStringLiteral("No PEM certificate could be read from %1").arg(path);
      continue;
    }
    settings.trustedCertificates << certificates;
  }
  for (const QString& text : configuration.trustedFingerprints) {
    const QByteArray digest = parseFingerprint(text);
    if (digest.isEmpty()) {
      if (problems) *problems << QStringLiteral("Not a SHA-256 fingerprint: %1").arg(text);
      continue;
    }
    settings.trustedFingerprints << digest;
  }
  return settings;
}

void setTlsTrustSettings(const TlsTrustSettings& settings) {
  if (settings.insecure)
    qCWarning(lcRestNetwork) << "RestInsecureTLS=true: server certificates are NOT validated; any certificate is accepted";
  QMutexLocker lock(&g_mutex);
  g_settings = settings;
  g_plainConfiguration.reset();
  g_exceptionsConfiguration.reset();
}

TlsTrustSettings tlsTrustSettings() {
  QMutexLocker lock(&g_mutex);
  return g_settings;
}

namespace tls {

QSslConfiguration configurationForRequest(bool useExceptions) {
  QMutexLocker lock(&g_mutex);
  std::optional<QSslConfiguration>& made = useExceptions ? g_exceptionsConfiguration : g_plainConfiguration;
  if (!made) {
    made = QSslConfiguration::defaultConfiguration();
    if (useExceptions && !g_settings.trustedCertificates.isEmpty()) made->addCaCertificates(g_settings.trustedCertificates);
  }
  return *made;
}

bool mayIgnoreErrors(const QList<QSslError>& errors, const QSslCertificate& peer, bool useExceptions) {
  if (!useExceptions || errors.isEmpty()) return false;
  const TlsTrustSettings settings = tlsTrustSettings();
  if (settings.insecure) return true;
  if (peer.isNull()) return false;
  const QByteArray digest = peer.digest(QCryptographicHash::Sha256);
  if (!settings.trustedFingerprints.contains(digest)) return false;
  // The pinned certificate itself is vouched for; errors about any other certificate are not.
  for (const QSslError& error : errors)
    if (!error.certificate().isNull() && error.certificate() != peer) return false;
  return true;
}

}  // namespace tls
}  // namespace rest
