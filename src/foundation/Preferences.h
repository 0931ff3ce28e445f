#pragma once
// The user's preferences, kept across runs (QSettings, INI format).
#include <QSettings>
#include <QString>

#include <memory>
#include <optional>

namespace foundation {

// Keys the login screen and the application object share.
inline constexpr const char* kLoginPref = "VyrLoginPref";
inline constexpr const char* kPasswordPref = "VyrPasswordPref";
inline constexpr const char* kAutoLogPref = "VyrAutoLogPref";

class Preferences {
 public:
  // The user's preferences file (platform config location, "TavroBox/tavrobox.prefs").
  Preferences();
  // A preferences file at an explicit path (tests, portable set-ups).
  explicit Preferences(const QString& path);

  static Preferences& standard();
  // Replaces the process-wide preferences (tests point them at a temporary file).
  static void setStandard(std::unique_ptr<Preferences> preferences);

  QString string(const QString& key) const;  // "" when absent
  std::optional<bool> boolean(const QString& key) const;
  bool contains(const QString& key) const;
  void setString(const QString& key, const QString& value);
  void setBool(const QString& key, bool value);
  void remove(const QString& key);
  void sync();

  QString filePath() const;
  // Makes the file readable and writable by its owner only (it may hold a secret).
  bool restrictToOwner();

 private:
  std::unique_ptr<QSettings> m_settings;
  bool m_ownerOnly = false;
};

}  // namespace foundation
