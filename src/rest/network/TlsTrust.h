#pragma once
// Which server certificates the transport accepts beyond the system's trust store.
//
// Certificates are always validated. A deployment whose service presents a self-signed
// certificate names that certificate (PEM) or its SHA-256 fingerprint; only those exact
// certificates are then accepted, and only while the shared client's
// disableCertificateValidation is set ("use the configured exceptions"). Accept-anything exists
// only behind an explicit insecure switch, and says so in the log whenever it is installed.
#include "foundation/Configuration.h"

#include <QByteArray>
#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QStringList>

namespace rest {

struct TlsTrustSettings {
  QList<QSslCertificate> trustedCertificates;
  QList<QByteArray> trustedFingerprints;  // raw SHA-256 digests (32 bytes each)
  bool insecure = false;

  // Reads the configured PEM files and fingerprints; files or fingerprints that cannot be used
  // are reported in `problems` and skipped.
  static TlsTrustSettings fromConfiguration(const foundation::Configuration& configuration,
                                            QStringList* problems = nullptr);
};

// Installs the process-wide settings (logs a warning when they accept any certificate).
void setTlsTrustSettings(const TlsTrustSettings& settings);
TlsTrustSettings tlsTrustSettings();

// "AB:CD:..." or "abcd..." (64 hex digits) as 32 bytes; empty when malformed.
QByteArray parseFingerprint(const QString& text);

namespace tls {

// The TLS configuration of a request: the system's anchors, plus the configured certificates
// when exceptions apply.
QSslConfiguration configurationForRequest(bool useExceptions);

// Whether the handshake errors of a connection may be ignored: only with exceptions in force, and
// then only for a peer certificate whose fingerprint is configured, or with the insecure switch.
bool mayIgnoreErrors(const QList<QSslError>& errors, const QSslCertificate& peer, bool useExceptions);

}  // namespace tls
}  // namespace rest
