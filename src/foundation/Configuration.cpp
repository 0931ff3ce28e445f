#include "foundation/Configuration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace foundation {

namespace {
Error configError(const QString& path, int line, const QString& what) {
  const QString where = line > 0 ? QStringLiteral("%1:%2").arg(path).arg(line) : path;
  return Error{kConfigErrorDomain, line, QStringLiteral("%1: %2").arg(where, what).toStdString(), line};
}

std::optional<bool> parseBool(const QString& v) {
  const QString s = v.toLower();
  if (s == "true" || s == "yes" || s == "1" || s == "on") return true;
  if (s == "false" || s == "no" || s == "0" || s == "off") return false;
  return std::nullopt;
}

QStringList parseList(const QString& v) {
  QStringList out;
  for (const QString& part : v.split(',', Qt::SkipEmptyParts)) {
    const QString t = part.trimmed();
    if (!t.isEmpty()) out << t;
  }
  return out;
}

QString unquote(const QString& v) {
  if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"')) return v.mid(1, v.size() - 2);
  return v;
}
}  // namespace

QString Configuration::baseURL() const { return QStringLiteral("%1/%2/%3").arg(restServer, restType, restVersion); }

bool Configuration::isLoopbackHost(const QString& host) {
  QString h = host.toLower();
  if (h.startsWith('[') && h.endsWith(']')) h = h.mid(1, h.size() - 2);
  if (h == QLatin1String("localhost") || h == QLatin1String("::1") || h == QLatin1String("0:0:0:0:0:0:0:1")) return true;
  const QStringList parts = h.split('.');
  if (parts.size() != 4 || parts.first() != QLatin1String("127")) return false;
  for (const QString& part : parts) {
    bool ok = false;
    const int value = part.toInt(&ok);
    if (!ok || value < 0 || value > 255) return false;
  }
  return true;
}

bool Configuration::usesInsecureHttp() const {
  const QUrl url(restServer);
  return url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 && !isLoopbackHost(url.host());
}

Result<QString> Configuration::checkServer(const QString& text, bool allowInsecureHttp) {
  QString server = text.trimmed();
  while (server.endsWith('/')) server.chop(1);
  if (!server.startsWith("http://") && !server.startsWith("https://"))
    return Error{kConfigErrorDomain, 0, "RestServer must start with http:// or https://", 0};
  const QUrl url(server, QUrl::StrictMode);
  if (!url.isValid() || url.host().isEmpty() || url.hasQuery() || url.hasFragment())
    return Error{kConfigErrorDomain, 0, "RestServer is http(s)://host[:port], without a query", 0};
  Configuration probe;
  probe.restServer = server;
  if (probe.usesInsecureHttp() && !allowInsecureHttp)
    return Error{kConfigErrorDomain, 0,
                 QStringLiteral("RestServer uses plain http:// to %1, which would send the password digest and the "
                                "session in clear: use https://, or set RestAllowInsecureHttp = true")
                     .arg(url.host())
                     .toStdString(),
                 0};
  return server;
}

Configuration Configuration::builtInDefault() {
  Configuration c;
  c.restServer = QStringLiteral("http://127.0.0.1:8470");
  c.restType = QStringLiteral("tavrobox");
  c.restVersion = QStringLiteral("v1");
  c.demoUser = QStringLiteral("demo");
  c.demoPassword = QStringLiteral("demo");
  return c;
}

Result<Configuration> Configuration::parse(const QString& text, const QString& path) {
  Configuration c = builtInDefault();
  c.sourcePath = path;
  const QString baseDir = QFileInfo(path).absolutePath();
  QString section;
  int serverLine = 0;
  const QStringList lines = text.split('\n');
  for (int i = 0; i < lines.size(); ++i) {
    const int lineNo = i + 1;
    const QString line = lines[i].trimmed();
    if (line.isEmpty() || line.startsWith('#') || line.startsWith(';')) continue;
    if (line.startsWith('[')) {
      if (!line.endsWith(']')) return configError(path, lineNo, QStringLiteral("unterminated section header"));
      section = line.mid(1, line.size() - 2).trimmed();
      continue;
    }
    const int eq = line.indexOf('=');
    if (eq <= 0) return configError(path, lineNo, QStringLiteral("expected 'key = value'"));
    const QString key = line.left(eq).trimmed();
    const QString value = unquote(line.mid(eq + 1).trimmed());
    if (!section.isEmpty() && section.compare("General", Qt::CaseInsensitive) != 0) continue;  // other tools' sections
    if (key == "RestServer") {
      // Its http:// rule waits for the whole file: RestAllowInsecureHttp may come later.
      const auto server = checkServer(value, true);
      if (!server.ok()) return configError(path, lineNo, QString::fromStdString(server.error().message));
      c.restServer = server.value();
      serverLine = lineNo;
    } else if (key == "RestType") {
      c.restType = value;
    } else if (key == "RestVersion") {
      c.restVersion = value;
    } else if (key == "RestTrustedCertificates") {
      c.trustedCertificates.clear();
      for (const QString& file : parseList(value))
        c.trustedCertificates << (QFileInfo(file).isAbsolute() || path.isEmpty() ? file : QDir(baseDir).filePath(file));
    } else if (key == "RestTrustedFingerprints") {
      c.trustedFingerprints.clear();
      for (QString fp : parseList(value)) {
        fp.remove(':');
        fp = fp.toLower();
        static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
        if (!hex.match(fp).hasMatch())
          return configError(path, lineNo, QStringLiteral("a fingerprint is 64 hexadecimal digits (SHA-256)"));
        c.trustedFingerprints << fp;
      }
    } else if (key == "RestInsecureTLS") {
      const auto b = parseBool(value);
      if (!b) return configError(path, lineNo, QStringLiteral("RestInsecureTLS takes true or false"));
      c.insecureTLS = *b;
    } else if (key == "RestAllowInsecureHttp") {
      const auto b = parseBool(value);
      if (!b) return configError(path, lineNo, QStringLiteral("RestAllowInsecureHttp takes true or false"));
      c.allowInsecureHttp = *b;
    } else if (key == "RestPlaybackPort") {
      bool ok = false;
      const int port = value.toInt(&ok);
      if (!ok || port < 1 || port > 65535) return configError(path, lineNo, QStringLiteral("RestPlaybackPort is a port number (1-65535)"));
      c.playbackPort = port;
    } else if (key == "RefreshInterval" || key == "WatchInterval") {
      bool ok = false;
      const double seconds = value.toDouble(&ok);
      if (!ok || seconds < 0 || seconds > 86400)
        return configError(path, lineNo, QStringLiteral("%1 is a number of seconds (0 turns it off)").arg(key));
      (key == "RefreshInterval" ? c.refreshInterval : c.watchInterval) = seconds;
    } else if (key == "DemoUser") {
      c.demoUser = value;
    } else if (key == "DemoPassword") {
      c.demoPassword = value;
    } else {
      return configError(path, lineNo, QStringLiteral("unknown key '%1'").arg(key));
    }
  }
  if (const auto server = checkServer(c.restServer, c.allowInsecureHttp); !server.ok())
    return configError(path, serverLine, QString::fromStdString(server.error().message));
  return c;
}

Result<Configuration> Configuration::readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return configError(path, 0, QStringLiteral("cannot be read (%1)").arg(file.errorString()));
  const QByteArray bytes = file.readAll();
  const QString text = QString::fromUtf8(bytes);
  if (text.contains(QChar::ReplacementCharacter) && !bytes.contains("\xEF\xBF\xBD"))
    return configError(path, 0, QStringLiteral("is not UTF-8 text"));
  return parse(text, path);
}

QString Configuration::locate(const QString& explicitPath) {
  if (!explicitPath.isEmpty()) return explicitPath;
  const QString env = qEnvironmentVariable("TAVROBOX_CONFIG");
  if (!env.isEmpty()) return env;
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const QString user = QDir(dir).filePath("tavrobox.conf");
  return !dir.isEmpty() && QFileInfo::exists(user) ? user : QString();
}

Result<Configuration> Configuration::load(const QString& explicitPath) {
  const QString path = locate(explicitPath);
  if (path.isEmpty()) return builtInDefault();
  return readFile(path);
}

}  // namespace foundation
