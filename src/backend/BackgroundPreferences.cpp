#include "backend/BackgroundPreferences.h"

#include "foundation/NotificationCenter.h"
#include "foundation/Preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <optional>

namespace backend::background {

namespace {
const QString kStayKey = QStringLiteral("BackgroundStayActive");
const QString kEveryEventKey = QStringLiteral("BackgroundEveryEvent");

void changed() { foundation::NotificationCenter::defaultCenter().post(kBackgroundPreferencesDidChange); }

void setFlag(const QString& key, bool on) {
  foundation::Preferences& prefs = foundation::Preferences::standard();
  prefs.setBool(key, on);
  prefs.sync();
  changed();
}

// Characters that make a desktop entry's argument need quotes, and those escaped inside them.
bool needsQuotes(const QString& argument) {
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  if (argument.isEmpty()) return true;
  return std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
}
}  // namespace

namespace {
std::function<bool()>& staysByDefault() {
  static std::function<bool()> on;
  return on;
}
}  // namespace

bool staysInBackground() {
  if (const std::optional<bool> chosen = foundation::Preferences::standard().boolean(kStayKey)) return *chosen;
  return staysByDefault() && staysByDefault()();
}

void setStaysInBackgroundByDefault(std::function<bool()> on) { staysByDefault() = std::move(on); }

void setStaysInBackground(bool on) { setFlag(kStayKey, on); }

bool everyEvent() { return foundation::Preferences::standard().boolean(kEveryEventKey).value_or(false); }

void setEveryEvent(bool on) { setFlag(kEveryEventKey, on); }

QString autostartFile() {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty() || QDir::isRelativePath(config)) config = QDir::homePath() + QStringLiteral("/.config");
  return config + QStringLiteral("/autostart/") + QLatin1String(kAppId) + QStringLiteral(".desktop");
}

QString desktopExecLine(const QStringList& arguments) {
  QStringList quoted;
  for (const QString& argument : arguments) {
    if (!needsQuotes(argument)) {
      quoted << argument;
      continue;
    }
    QString escaped;
    for (QChar c : argument) {
      if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\')) escaped += QLatin1Char('\\');
      escaped += c;
    }
    quoted << QLatin1Char('"') + escaped + QLatin1Char('"');
  }
  // A desktop entry reads "%" as a field code and backslashes once more as a string value.
  return quoted.join(QLatin1Char(' ')).replace(QLatin1Char('%'), QStringLiteral("%%")).replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

bool startsWithSession() { return QFileInfo::exists(autostartFile()); }

namespace {
QString& launchConfiguration() {
  static QString path;
  return path;
}
}  // namespace

void setLaunchConfiguration(const QString& configPath) { launchConfiguration() = configPath; }

bool setStartsWithSession(bool on, QString* error) {
  return setStartsWithSession(on, QCoreApplication::applicationFilePath(), launchConfiguration(), error);
}

bool setStartsWithSession(bool on, const QString& program, const QString& configPath, QString* error) {
  const QString path = autostartFile();
  auto fail = [&](const QString& why) {
    if (error) *error = why;
    return false;
  };
  if (!on) {
    if (QFileInfo::exists(path) && !QFile::remove(path)) return fail(QStringLiteral("cannot remove %1").arg(path));
    changed();
    return true;
  }
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return fail(QStringLiteral("cannot create the folder of %1").arg(path));
  QStringList command{program, QStringLiteral("--background")};
  if (!configPath.isEmpty()) command << QStringLiteral("--config") << QFileInfo(configPath).absoluteFilePath();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
  const QString entry = QStringLiteral(
                            "[Desktop Entry]\n"
                            "Type=Application\n"
                            "Name=TavroBox\n"
                            "Comment=Watches the home's alarms in the background\n"
                            "Comment[fr]=Surveille les alarmes de la maison en arrière-plan\n"
                            "Exec=%1\n"
                            "Icon=%2\n"
                            "Terminal=false\n"
                            "X-GNOME-Autostart-enabled=true\n")
                            .arg(desktopExecLine(command), QLatin1String(kAppId));
  file.write(entry.toUtf8());
  if (!file.commit()) return fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
  changed();
  return true;
}

}  // namespace backend::background
