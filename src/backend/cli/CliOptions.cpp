#include "backend/cli/CliOptions.h"

#include "foundation/Preferences.h"
#include "foundation/RememberedSignIn.h"
#include "foundation/SecretStore.h"

#include <QFile>

#include <cstdio>

namespace backend::cli {

namespace {

constexpr qint64 kPasswordMaxBytes = 4096;

// The first line of the file, or of standard input for "-".
std::optional<QString> readPasswordFile(const QString& path, QString* error) {
  QFile file;
  const bool open = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                : (file.setFileName(path), file.open(QIODevice::ReadOnly));
  const QString name = path == QLatin1String("-") ? QStringLiteral("standard input") : path;
  if (!open) {
    *error = QStringLiteral("--password-file: cannot read %1: %2").arg(name, file.errorString());
    return std::nullopt;
  }
  QByteArray line = file.readLine(kPasswordMaxBytes + 2);
  if (line.size() > kPasswordMaxBytes && !line.endsWith('\n')) {
    *error = QStringLiteral("--password-file: the first line of %1 is longer than %2 bytes").arg(name).arg(kPasswordMaxBytes);
    return std::nullopt;
  }
  while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
  if (line.isEmpty()) {
    *error = QStringLiteral("--password-file: %1 holds no password").arg(name);
    return std::nullopt;
  }
  return QString::fromUtf8(line);
}

}  // namespace

QStringList allReads() {
  return {QStringLiteral("dashboard"), QStringLiteral("devices"),  QStringLiteral("modes"),
          QStringLiteral("favorites"), QStringLiteral("scenarios"), QStringLiteral("history"),
          QStringLiteral("weather"),   QStringLiteral("recordings")};
}

QString usage() {
  return QStringLiteral(
      "Usage: tavrobox-cli [options] [read ...]\n"
      "Signs in to the cloud service and prints what each read leaves in the session store.\n"
      "\n"
      "Reads (default: all, in this order): %1\n"
      "\n"
      "Options:\n"
      "  --config FILE      configuration file (default: $TAVROBOX_CONFIG, then the user's, then built-in)\n"
      "  --server URL       RestServer, e.g. http://127.0.0.1:8470\n"
      "  --type TEXT        RestType\n"
      "  --version TEXT     RestVersion\n"
      "  --user NAME        user name (default: the configuration's demo user)\n"
      "  --password-file F  read the password from the first line of F (- : standard input)\n"
      "  --password TEXT    password; every user of this machine can read it in the process list\n"
      "                     (default: $TAVROBOX_PASSWORD, then the app's remembered credentials\n"
      "                     for the user, then the configuration's demo password)\n"
      "  --timeout SECONDS  longest wait for one answer (default 30)\n"
      "  --help             this text\n"
      "\n"
      "Exit status: 0 when every read succeeded, 1 when one failed, 2 when the sign-in failed\n"
      "or the command line or configuration is wrong.\n")
      .arg(allReads().join(QLatin1Char(' ')));
}

std::optional<Options> parseOptions(const QStringList& arguments, QString* error) {
  auto fail = [error](const QString& message) -> std::optional<Options> {
    if (error) *error = message;
    return std::nullopt;
  };

  QString configPath, server, type, version, user, password, passwordFile, timeout;
  bool haveUser = false, havePassword = false, havePasswordFile = false;
  Options options;
  const QStringList known = allReads();

  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    auto value = [&](QString& out) -> bool {
      if (i + 1 >= arguments.size()) return false;
      out = arguments[++i];
      return true;
    };
    if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
      options.help = true;
    } else if (arg == QLatin1String("--config")) {
      if (!value(configPath)) return fail(QStringLiteral("--config needs a file"));
    } else if (arg == QLatin1String("--server")) {
      if (!value(server)) return fail(QStringLiteral("--server needs a URL"));
    } else if (arg == QLatin1String("--type")) {
      if (!value(type)) return fail(QStringLiteral("--type needs a value"));
    } else if (arg == QLatin1String("--version")) {
      if (!value(version)) return fail(QStringLiteral("--version needs a value"));
    } else if (arg == QLatin1String("--user")) {
      if (!value(user)) return fail(QStringLiteral("--user needs a name"));
      haveUser = true;
    } else if (arg == QLatin1String("--password")) {
      if (!value(password)) return fail(QStringLiteral("--password needs a value"));
      havePassword = true;
    } else if (arg == QLatin1String("--password-file")) {
      if (!value(passwordFile)) return fail(QStringLiteral("--password-file needs a file, or - for standard input"));
      havePasswordFile = true;
    } else if (arg == QLatin1String("--timeout")) {
      if (!value(timeout)) return fail(QStringLiteral("--timeout needs a number of seconds"));
      bool ok = false;
      options.timeoutSeconds = timeout.toDouble(&ok);
      if (!ok || options.timeoutSeconds <= 0) return fail(QStringLiteral("--timeout: not a positive number: %1").arg(timeout));
    } else if (arg.startsWith(QLatin1String("-"))) {
      return fail(QStringLiteral("unknown option %1").arg(arg));
    } else if (known.contains(arg)) {
      options.reads << arg;
    } else {
      return fail(QStringLiteral("unknown read '%1' (known: %2)").arg(arg, known.join(QLatin1Char(' '))));
    }
  }
  if (options.help) return options;

  auto configuration = foundation::Configuration::load(configPath);
  if (!configuration.ok()) return fail(QString::fromStdString(configuration.error().message));
  options.configuration = configuration.value();
  if (!server.isEmpty()) {
    while (server.endsWith(QLatin1Char('/'))) server.chop(1);
    if (!server.startsWith(QLatin1String("http://")) && !server.startsWith(QLatin1String("https://")))
      return fail(QStringLiteral("--server must start with http:// or https://"));
    options.configuration.restServer = server;
    if (options.configuration.usesInsecureHttp() && !options.configuration.allowInsecureHttp)
      return fail(QStringLiteral("--server: plain http:// only reaches this machine (set RestAllowInsecureHttp = true in "
                                 "the configuration to allow another)"));
  }
  if (!type.isEmpty()) options.configuration.restType = type;
  if (!version.isEmpty()) options.configuration.restVersion = version;
  options.user = haveUser ? user : options.configuration.demoUser;
  if (havePassword && havePasswordFile) return fail(QStringLiteral("--password and --password-file: give one of them"));
  if (havePasswordFile) {
    QString problem;
    const auto read = readPasswordFile(passwordFile, &problem);
    if (!read) return fail(problem);
    options.password = *read;
  } else if (havePassword) {
    options.password = password;
    options.warnings << QStringLiteral("--password shows the password to every user of this machine (in the process list); "
                                       "prefer --password-file or $%1").arg(QLatin1String(kPasswordVariable));
  } else if (const QString fromEnvironment = qEnvironmentVariable(kPasswordVariable); !fromEnvironment.isEmpty()) {
    options.password = fromEnvironment;
  } else if (const auto remembered = foundation::rememberedSignIn(foundation::Preferences::standard(), foundation::SecretStore::standard());
             remembered && remembered->login == options.user) {
    options.passwordDigest = remembered->passwordDigest;
  } else {
    options.password = options.configuration.demoPassword;
  }
  if (options.reads.isEmpty()) options.reads = known;
  return options;
}

}  // namespace backend::cli
