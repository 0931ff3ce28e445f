#include "rest/network/TlsTrust.h"

#include "foundation/Logging.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMutex>

#include <algorithm>
#include <optional>

namespace rest {

namespace {
QMutex g_mutex;
TlsTrustSettings g_settings;
// Made once per settings: building a configuration costs more than the rest of a request's
// preparation.
std::optional<QSslConfiguration> g_plainConfiguration;
std::optional<QSslConfiguration> g_exceptionsConfiguration;
QHash<QString, QByteArray> g_pins;
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

QString serverKey(const QUrl& url) {
  const QString host = url.host().toLower();
  if (host.isEmpty()) return QString();
  const QString scheme = url.scheme().toLower();
  const int port = url.port(scheme == QLatin1String("https") ? 443 : scheme == QLatin1String("http") ? 80 : -1);
  const QString shownHost = host.contains(':') ? QStringLiteral("[%1]").arg(host) : host;
  return port < 0 ? shownHost : QStringLiteral("%1:%2").arg(shownHost).arg(port);
}

void setPinnedCertificates(const QHash<QString, QByteArray>& pins) {
  QMutexLocker lock(&g_mutex);
  g_pins = pins;
}

void pinCertificate(const QString& server, const QByteArray& digest) {
  QMutexLocker lock(&g_mutex);
  g_pins.insert(server, digest);
}

QByteArray pinnedCertificate(const QString& server) {
  QMutexLocker lock(&g_mutex);
  return g_pins.value(server);
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

CertificateVerdict judge(const TlsTrustSettings& settings, const QByteArray& pin, const QList<QSslError>& errors,
                         const QList<QSslCertificate>& chain, bool useExceptions) {
  using V = CertificateVerdict;
  // Without exceptions in force the platform's validation alone decides.
  if (!useExceptions) return errors.isEmpty() ? V::Trusted : V::Refused;
  if (settings.insecure) return V::Trusted;
  if (chain.isEmpty() || chain.first().isNull()) {
    // Nothing to compare with a pin: a pinned server that shows no certificate is not the one it
    // is known by, whatever the platform says.
    if (!pin.isEmpty()) return V::Refused;
    return errors.isEmpty() ? V::Trusted : V::Refused;
  }

  const QSslCertificate& peer = chain.first();
  const QByteArray digest = peer.digest(QCryptographicHash::Sha256);
  // An exact certificate is vouched for by whoever names it, but not the rest of its chain, and
  // never a certificate its issuer has withdrawn.
  const bool liftable = std::all_of(errors.begin(), errors.end(), [&](const QSslError& error) {
    return (error.certificate().isNull() || error.certificate() == peer) &&
           error.error() != QSslError::CertificateBlacklisted && error.error() != QSslError::CertificateRevoked;
  });

  if (settings.trustedFingerprints.contains(digest)) return liftable ? V::Trusted : V::Refused;
  const bool configuredInChain = std::any_of(chain.begin(), chain.end(), [&](const QSslCertificate& certificate) {
    return settings.trustedCertificates.contains(certificate);
  });
  // A configured certificate the platform still complains about (another name, expired) is not
  // a stranger to ask about: the configuration itself is wrong.
  if (configuredInChain) return errors.isEmpty() ? V::Trusted : V::Refused;

  if (!pin.isEmpty()) {
    if (digest != pin) return V::NotExpected;
    return liftable ? V::Trusted : V::Refused;
  }
  if (errors.isEmpty()) return V::Trusted;
  if (!liftable) return V::Refused;
  // A deployment that names its certificates has said which ones to accept.
  if (!settings.trustedCertificates.isEmpty() || !settings.trustedFingerprints.isEmpty()) return V::NotExpected;
  return V::Unknown;
}

CertificateVerdict judgeServer(const QString& server, const QList<QSslError>& errors, const QList<QSslCertificate>& chain,
                               bool useExceptions) {
  return judge(tlsTrustSettings(), pinnedCertificate(server), errors, chain, useExceptions);
}

}  // namespace tls
}  // namespace rest
