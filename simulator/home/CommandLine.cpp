#include "home/CommandLine.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QDir>

namespace simhome {

QString privateFolder() { return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); }

bool makePrivateFolder(const QString& path, QString* error) {
  if (!QDir().mkpath(path)) {
    *error = QStringLiteral("cannot create the folder %1").arg(path);
    return false;
  }
  struct stat info {};
  if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) {
    *error = QStringLiteral("the folder %1 is not a folder of this user").arg(path);
    return false;
  }
  if (::chmod(QFile::encodeName(path).constData(), 0700) != 0) {
    *error = QStringLiteral("cannot make the folder %1 private").arg(path);
    return false;
  }
  return true;
}

bool writePrivateFile(const QString& path, const QByteArray& bytes, QString* error) {
  const QString temporary = path + QStringLiteral(".tmp-%1").arg(QCoreApplication::applicationPid());
  QFile::remove(temporary);
  QFile file(temporary);
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
      file.write(bytes) != bytes.size() || !file.flush()) {
    *error = file.errorString();
    file.remove();
    return false;
  }
  file.close();
  if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
    *error = QStringLiteral("cannot put %1 in place").arg(path);
    QFile::remove(temporary);
    return false;
  }
  return true;
}

std::optional<Endpoint> parseEndpoint(const QString& text) {
  const int colon = text.lastIndexOf(':');
  if (colon < 0) return std::nullopt;
  QString host = text.left(colon);
  bool ok = false;
  const int port = text.mid(colon + 1).toInt(&ok);
  if (!ok || port < 0 || port > 65535) return std::nullopt;
  if (host.startsWith('[') && host.endsWith(']')) host = host.mid(1, host.size() - 2);
  Endpoint e;
  e.port = quint16(port);
  if (host.isEmpty() || host == "localhost") {
    e.address = QHostAddress(QHostAddress::LocalHost);
    e.host = host.isEmpty() ? QStringLiteral("127.0.0.1") : host;
    return e;
  }
  e.address = QHostAddress(host);
  if (e.address.isNull()) return std::nullopt;
  e.host = host.contains(':') ? QStringLiteral("[%1]").arg(host) : host;
  return e;
}

std::optional<CommandLine> parseCommandLine(const QStringList& arguments, QString* error) {
  auto fail = [&](const QString& what) {
    if (error) *error = what;
    return std::nullopt;
  };
  QCommandLineParser p;
  p.setApplicationDescription(QStringLiteral("The simulated TavroBox cloud service: a home to drive from the app."));
  const QCommandLineOption help({"h", "help"}, "Show this help.");
  const QCommandLineOption listen("listen", "Address of the REST service (default 127.0.0.1:8470).", "HOST:PORT");
  const QCommandLineOption mediaListen("media-listen", "Address of the camera media server (default 127.0.0.1:8471).", "HOST:PORT");
  const QCommandLineOption tls("tls", "Serve the REST service over TLS.");
  const QCommandLineOption cert("cert", "PEM certificate for TLS (with --key).", "FILE");
  const QCommandLineOption key("key", "PEM private key for TLS (with --cert).", "FILE");
  const QCommandLineOption certDir("cert-dir", "Folder of the self-signed certificate made for TLS without --cert, kept across runs (default: in the user's runtime folder).", "DIR");
  const QCommandLineOption restType("rest-type", "First path segment of the service (default tavrobox).", "TYPE");
  const QCommandLineOption restVersion("rest-version", "Second path segment (default v1).", "VERSION");
  const QCommandLineOption home("home", "Home model (JSON); the built-in demo home by default.", "FILE");
  const QCommandLineOption users("users", "Users file (JSON); demo/demo and others by default.", "FILE");
  const QCommandLineOption ttl("session-ttl", "Seconds an unused session lives (default 1800).", "SECONDS");
  const QCommandLineOption latency("latency", "Milliseconds added to every answer (default 0).", "MS");
  const QCommandLineOption seed("seed", "Seed of the weather, history and pictures (default 2013).", "N");
  const QCommandLineOption mediaDir("media-dir", "Folder for the generated video (default: a folder in the user's runtime folder).", "DIR");
  const QCommandLineOption ffmpeg("ffmpeg", "ffmpeg program to use (default: from PATH).", "PATH");
  const QCommandLineOption token("control-token", "Token of the control interface (default: a random one, printed at start).", "TOKEN");
  const QCommandLineOption life("life-interval", "Seconds between two events of daily life in the history (0: none; default 420).", "SECONDS");
  const QCommandLineOption ready("ready-file", "Write the addresses and the control token to FILE (JSON) once ready; removed at exit.", "FILE");
  const QCommandLineOption verbose("verbose", "One log line per request.");
  p.addOptions({help, listen, mediaListen, tls, cert, key, certDir, restType, restVersion, home, users, ttl, latency, seed,
                mediaDir, ffmpeg, token, life, ready, verbose});
  if (!p.parse(arguments)) return fail(p.errorText());
  if (!p.positionalArguments().isEmpty()) return fail(QStringLiteral("unexpected argument '%1'").arg(p.positionalArguments().first()));

  CommandLine c;
  c.help = p.isSet(help);
  c.helpText = p.helpText();
  if (p.isSet(listen)) {
    auto e = parseEndpoint(p.value(listen));
    if (!e) return fail(QStringLiteral("--listen takes HOST:PORT, not '%1'").arg(p.value(listen)));
    c.listen = *e;
  }
  if (p.isSet(mediaListen)) {
    auto e = parseEndpoint(p.value(mediaListen));
    if (!e) return fail(QStringLiteral("--media-listen takes HOST:PORT, not '%1'").arg(p.value(mediaListen)));
    c.mediaListen = *e;
  }
  c.tls = p.isSet(tls);
  c.certFile = p.value(cert);
  c.keyFile = p.value(key);
  if (c.certFile.isEmpty() != c.keyFile.isEmpty()) return fail(QStringLiteral("--cert and --key go together"));
  if (!c.certFile.isEmpty() && !c.tls) return fail(QStringLiteral("--cert and --key need --tls"));
  c.certDir = p.isSet(certDir) ? p.value(certDir) : QDir(privateFolder()).filePath(QStringLiteral("tavrobox-cloudsim-tls"));
  if (p.isSet(restType)) c.restType = p.value(restType);
  if (p.isSet(restVersion)) c.restVersion = p.value(restVersion);
  for (const QString* segment : {&c.restType, &c.restVersion})
    if (segment->isEmpty() || segment->contains('/') || segment->contains(';') || segment->contains('?'))
      return fail(QStringLiteral("--rest-type and --rest-version are single path segments"));
  c.homeFile = p.value(home);
  c.usersFile = p.value(users);
  auto number = [&](const QCommandLineOption& o, int lo, int hi, int* out) {
    if (!p.isSet(o)) return true;
    bool ok = false;
    const int v = p.value(o).toInt(&ok);
    if (!ok || v < lo || v > hi) return false;
    *out = v;
    return true;
  };
  if (!number(ttl, 1, 7 * 24 * 3600, &c.sessionTtlSeconds)) return fail(QStringLiteral("--session-ttl takes seconds from 1"));
  if (!number(latency, 0, 120000, &c.latencyMs)) return fail(QStringLiteral("--latency takes milliseconds from 0 to 120000"));
  if (!number(life, 0, 30 * 24 * 3600, &c.lifeIntervalSeconds)) return fail(QStringLiteral("--life-interval takes seconds from 0"));
  if (p.isSet(seed)) {
    bool ok = false;
    c.seed = p.value(seed).toULongLong(&ok);
    if (!ok) return fail(QStringLiteral("--seed takes a whole number"));
  }
  c.mediaDir = p.isSet(mediaDir) ? p.value(mediaDir) : QDir(privateFolder()).filePath(QStringLiteral("tavrobox-cloudsim-media"));
  c.ffmpeg = p.value(ffmpeg);
  c.controlToken = p.value(token);
  if (p.isSet(token) && c.controlToken.size() < 8) return fail(QStringLiteral("--control-token needs at least 8 characters"));
  c.readyFile = p.value(ready);
  c.verbose = p.isSet(verbose);
  return c;
}

}  // namespace simhome
