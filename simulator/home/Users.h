#pragma once
// The accounts that may sign in. The users file (JSON) gives each login its password, either in
// clear ("password") or as its SHA-1 digest ("passwordSha1"), the account members sent back at
// sign-in, and optionally a home file of its own; users without one share the service's home.
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace simhome {

struct User {
  QString login;
  QString passwordSha1;  // 40 lower-case hex digits
  QJsonObject account;   // the VOUser members ("id", "ref", "mail", ...)
  QString homeFile;      // "" : the service's home
};

class Users {
 public:
  static std::optional<Users> fromJson(const QJsonObject& json, const QString& baseDir, QString* error);
  static std::optional<Users> loadFile(const QString& path, QString* error);
  static QString builtInPath();

  // The user whose login matches exactly and whose password digest matches (hex, any case).
  const User* authenticate(const QString& login, const QString& passwordSha1) const;
  const User* find(const QString& login) const;
  const std::vector<User>& all() const { return m_users; }

 private:
  std::vector<User> m_users;
};

// SHA-1 of the text's UTF-8 bytes, 40 lower-case hex digits.
QString sha1Hex(const QString& text);

}  // namespace simhome
