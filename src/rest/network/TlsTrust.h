#pragma once
// Which server certificates the transport accepts beyond the system's trust store.
//
// Certificates are always validated. A deployment whose service presents a self-signed
// certificate names that certificate (PEM) or its SHA-256 fingerprint; only those exact
// certificates are then accepted, and only while the shared client's
// disableCertificateValidation is set ("use the configured exceptions"). Accept-anything exists
// only behind an explicit insecure switch, and says so in the log whenever it is installed.
//
// Beyond the configuration, a server may be pinned: the user accepted its certificate on first
// use, and from then on that server must show exactly that certificate. The layer never accepts an
// unknown certificate by itself; it refuses the connection before anything is written and posts
// RestServerCertificateRefusedNotification with the certificate, for the application to ask.
#include "foundation/Configuration.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QStringList>
#include <QUrl>

namespace rest {

// Posted (sender: the request) when a server's certificate was refused; user info under
// RestServerCertificateRefusalKey: a CertificateRefusal.
inline constexpr const char* RestServerCertificateRefusedNotification = "RestServerCertificateRefusedNotification";
inline constexpr const char* RestServerCertificateRefusalKey = "refusal";

enum class CertificateVerdict {
  Trusted,      // the platform validates it, or the configuration or a pin names it
  Unknown,      // nothing vouches for it and nothing else is expected of this server: the user may decide
  NotExpected,  // the server is pinned, or the configuration names its certificates, and this is another one
  Refused,      // faults no decision may lift: exceptions not in force, a revoked or blacklisted
                // certificate, errors about another certificate of the chain
};

struct CertificateRefusal {
  QString server;               // "host:port"
  QSslCertificate certificate;  // the one the server presented
  CertificateVerdict verdict = CertificateVerdict::Refused;
};

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

// The key a server is pinned under: "host:port", the host in lower case (IPv6 in brackets), the
// scheme's port when the URL names none; "" for a URL without a host.
QString serverKey(const QUrl& url);

// Certificates accepted by the user, per server (raw SHA-256 digests). Kept apart from the
// configured settings, which setTlsTrustSettings replaces without touching these.
void setPinnedCertificates(const QHash<QString, QByteArray>& pins);
void pinCertificate(const QString& server, const QByteArray& digest);
QByteArray pinnedCertificate(const QString& server);  // empty when the server is not pinned

namespace tls {

// The TLS configuration of a request: the system's anchors, plus the configured certificates
// when exceptions apply.
QSslConfiguration configurationForRequest(bool useExceptions);

// The decision on a server's certificate. `errors` are the platform's complaints (empty: it
// validated the chain, or they were already lifted); `chain` starts with the server's own
// certificate; `pin` is the server's pinned digest, empty when it has none.
//
// The configuration comes first (a configured fingerprint, or a configured certificate in a chain
// the platform validated); then a pinned server must show its pinned certificate, even one the
// platform would validate; then the platform's validation stands; a certificate it refuses is
// Unknown only where nothing is expected (no pin, no configured certificate at all).
CertificateVerdict judge(const TlsTrustSettings& settings, const QByteArray& pin, const QList<QSslError>& errors,
                         const QList<QSslCertificate>& chain, bool useExceptions);
// The same with the process-wide settings and the pin of `server`.
CertificateVerdict judgeServer(const QString& server, const QList<QSslError>& errors,
                               const QList<QSslCertificate>& chain, bool useExceptions);

}  // namespace tls
}  // namespace rest
