#pragma once
// The certificate and key a TLS listener presents.
#include <QSslCertificate>
#include <QSslKey>
#include <QString>

#include <optional>

namespace simcore {

struct TlsIdentity {
  QSslCertificate certificate;
  QSslKey key;

  // Reads a PEM certificate and a PEM private key (RSA or EC, unencrypted); nullopt when either
  // is missing or unreadable.
  static std::optional<TlsIdentity> fromPemFiles(const QString& cert, const QString& key);
};

// Paths of a generated identity.
struct GeneratedIdentityFiles {
  QString certificatePath;
  QString keyPath;
};

// Creates a self-signed certificate for "localhost" with subjectAltName IP:127.0.0.1 and
// DNS:localhost (hostname verification needs them) and its key, as "<baseName>.crt" and
// "<baseName>.key" in `folder`, using the openssl command line. nullopt when openssl is missing
// or fails (its message goes to `error`).
std::optional<GeneratedIdentityFiles> generateSelfSignedIdentity(const QString& folder,
                                                                 const QString& baseName = QStringLiteral("server"),
                                                                 QString* error = nullptr);

}  // namespace simcore
