#include "backend/CertificatePins.h"

#include "foundation/Logging.h"
#include "foundation/Preferences.h"
#include "rest/network/TlsTrust.h"

#include <QStringList>

namespace backend {

namespace {

QString serialize(const QHash<QString, QByteArray>& pins) {
  QStringList entries;
  for (auto it = pins.begin(); it != pins.end(); ++it)
    entries << it.key() + QLatin1Char('=') + QString::fromLatin1(it.value().toHex());
  // The same file for the same pins, whatever the hash's order.
  entries.sort();
  return entries.join(QLatin1Char(' '));
}

}  // namespace

QHash<QString, QByteArray> CertificatePins::stored() {
  QHash<QString, QByteArray> pins;
  const QString text = foundation::Preferences::standard().string(QString::fromLatin1(kPinnedCertificatesPref));
  for (const QString& entry : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const qsizetype separator = entry.lastIndexOf(QLatin1Char('='));
    const QString server = entry.left(separator);
    const QByteArray digest = separator > 0 ? rest::parseFingerprint(entry.mid(separator + 1)) : QByteArray();
    if (server.isEmpty() || digest.isEmpty()) {
      qCWarning(lcApp).noquote() << "Ignoring a pinned certificate that cannot be read:" << entry.left(100);
      continue;
    }
    pins.insert(server, digest);
  }
  return pins;
}

void CertificatePins::load() { rest::setPinnedCertificates(stored()); }

void CertificatePins::pin(const QString& server, const QByteArray& digest) {
  // A key with a space or a digest of another size could not be read back.
  if (server.isEmpty() || server.contains(QLatin1Char(' ')) || digest.size() != 32) return;
  rest::pinCertificate(server, digest);
  QHash<QString, QByteArray> pins = stored();
  pins.insert(server, digest);
  foundation::Preferences::standard().setString(QString::fromLatin1(kPinnedCertificatesPref), serialize(pins));
  qCInfo(lcApp).noquote() << "Certificate" << QString::fromLatin1(digest.toHex(':')) << "pinned for" << server;
}

void CertificatePins::forget(const QString& server) {
  QHash<QString, QByteArray> pins = stored();
  if (pins.remove(server) == 0) return;
  foundation::Preferences::standard().setString(QString::fromLatin1(kPinnedCertificatesPref), serialize(pins));
  rest::setPinnedCertificates(pins);
  qCInfo(lcApp).noquote() << "The certificate pinned for" << server << "was forgotten";
}

}  // namespace backend
