#include "foundation/Preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace foundation {

namespace {
std::unique_ptr<Preferences>& standardSlot() {
  static std::unique_ptr<Preferences> slot;
  return slot;
}

QString defaultPath() {
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  return QDir(dir.isEmpty() ? QDir::homePath() + "/.config/TavroBox" : dir).filePath("tavrobox.prefs");
}
}  // namespace

Preferences::Preferences() : Preferences(defaultPath()) {}

Preferences::Preferences(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

Preferences& Preferences::standard() {
  auto& slot = standardSlot();
  if (!slot) slot = std::make_unique<Preferences>();
  return *slot;
}

void Preferences::setStandard(std::unique_ptr<Preferences> preferences) { standardSlot() = std::move(preferences); }

QString Preferences::string(const QString& key) const { return m_settings->value(key).toString(); }

std::optional<bool> Preferences::boolean(const QString& key) const {
  if (!m_settings->contains(key)) return std::nullopt;
  return m_settings->value(key).toBool();
}

bool Preferences::contains(const QString& key) const { return m_settings->contains(key); }

void Preferences::setString(const QString& key, const QString& value) {
  m_settings->setValue(key, value);
  sync();
}

void Preferences::setBool(const QString& key, bool value) {
  m_settings->setValue(key, value);
  sync();
}

void Preferences::remove(const QString& key) {
  m_settings->remove(key);
  sync();
}

void Preferences::sync() {
  m_settings->sync();
  // QSettings rewrites the file through a temporary one; keep the owner-only mode it had.
  const QString path = filePath();
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) == 0 && (st.st_mode & 077) == 0) return;
  if (m_ownerOnly) restrictToOwner();
}

QString Preferences::filePath() const { return m_settings->fileName(); }

bool Preferences::restrictToOwner() {
  m_ownerOnly = true;
  const QByteArray path = QFile::encodeName(filePath());
  if (!QFileInfo::exists(filePath())) {
    QFile file(filePath());
    if (!file.open(QIODevice::WriteOnly)) return false;
  }
  return ::chmod(path.constData(), S_IRUSR | S_IWUSR) == 0;
}

}  // namespace foundation
