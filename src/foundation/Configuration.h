#pragma once
// The deployment's configuration (tavrobox.conf, INI): where the cloud service is and which
// certificates to trust beyond the system's store.
//
// Looked up, first found wins: --config FILE, $TAVROBOX_CONFIG, the user's config directory
// (tavrobox.conf), then the built-in default that points at the local simulated service.
#include "foundation/Result.h"

#include <optional>

#include <QString>
#include <QStringList>

namespace foundation {

inline constexpr const char* kConfigErrorDomain = "org.tavrobox.configuration";

struct Configuration {
  QString restServer;   // "https://host:port", no trailing "/"
  QString restType;     // first path segment of the service
  QString restVersion;  // second path segment
  QStringList trustedCertificates;  // PEM files accepted for the service beyond the system store
  QStringList trustedFingerprints;  // SHA-256 of accepted certificates, hex (":" allowed)
  bool insecureTLS = false;         // accept any certificate (logged at every start)
  // Plain http:// to a server that is not this machine: the password digest and the session
  // travel in clear, so it takes this explicit switch (logged at every start).
  bool allowInsecureHttp = false;
  int playbackPort = 443;           // port of the camera media server's playback addresses
  double refreshInterval = 30.0;    // seconds between two reads of the open screen (0: never)
  double watchInterval = 30.0;      // seconds between two looks for new events (0: never)
  QString demoUser;                 // credentials the tour signs in with
  QString demoPassword;
  QString sourcePath;  // the file it was read from; "" for the built-in default

  // Base URL: RestServer "/" RestType "/" RestVersion.
  QString baseURL() const;
  // Whether RestServer is plain http:// to a host other than this machine's loopback.
  bool usesInsecureHttp() const;
  // "localhost", 127.0.0.0/8 or ::1.
  static bool isLoopbackHost(const QString& host);
  // A service's address as RestServer takes it: http:// or https:// and a host, trailing "/"
  // dropped; plain http:// to a host other than this machine only with `allowInsecureHttp`.
  // The error says what is wrong, without a file or line (the caller adds them).
  static Result<QString> checkServer(const QString& text, bool allowInsecureHttp);

  static Configuration builtInDefault();

  // Parses INI text; errors name the path and the line.
  static Result<Configuration> parse(const QString& text, const QString& path);
  static Result<Configuration> readFile(const QString& path);

  // Resolves the file to read: `explicitPath`, then $TAVROBOX_CONFIG, then the user's config
  // directory; "" when none exists (the built-in default applies).
  static QString locate(const QString& explicitPath);
  static Result<Configuration> load(const QString& explicitPath = QString());
};

}  // namespace foundation
