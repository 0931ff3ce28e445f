#pragma once
// The servers whose certificate the user accepted on first use: kept in the preferences and handed
// to the REST layer, which from then on expects exactly that certificate of the server.
#include <QByteArray>
#include <QHash>
#include <QString>

namespace backend {

// One "host:port=<SHA-256 in hex>" entry per server, separated by spaces.
inline constexpr const char* kPinnedCertificatesPref = "PinnedServerCertificates";

class CertificatePins {
 public:
  // The pins stored in the preferences; entries that cannot be read are skipped with a warning.
  static QHash<QString, QByteArray> stored();
  // Makes the stored pins the REST layer's.
  static void load();
  // Pins the certificate of SHA-256 `digest` for `server` ("host:port") in the REST layer and in
  // the preferences, beside the other servers' pins.
  static void pin(const QString& server, const QByteArray& digest);
  // Forgets the certificate pinned for `server`: its next certificate is put to the user again.
  static void forget(const QString& server);
};

}  // namespace backend
