#include "home/Users.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace simhome {

QString sha1Hex(const QString& text) {
  return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString Users::builtInPath() { return QStringLiteral(":/simulator/users.json"); }

std::optional<Users> Users::fromJson(const QJsonObject& json, const QString& baseDir, QString* error) {
  auto fail = [&](const QString& what) {
    if (error) *error = what;
    return std::nullopt;
  };
  if (!json.value("users").isArray()) return fail(QStringLiteral("'users' must be an array"));
  static const QRegularExpression hex40(QStringLiteral("^[0-9a-fA-F]{40}$"));
  Users users;
  const QJsonArray list = json.value("users").toArray();
  for (int i = 0; i < list.size(); ++i) {
    const QString where = QStringLiteral("users[%1]").arg(i);
    if (!list[i].isObject()) return fail(where + ": must be an object");
    const QJsonObject o = list[i].toObject();
    User u;
    u.login = o.value("login").toString();
    if (u.login.isEmpty()) return fail(where + ": 'login' is required");
    if (users.find(u.login)) return fail(QStringLiteral("%1: login '%2' is used twice").arg(where, u.login));
    if (o.value("passwordSha1").isString()) {
      u.passwordSha1 = o.value("passwordSha1").toString().toLower();
      if (!hex40.match(u.passwordSha1).hasMatch()) return fail(where + ": 'passwordSha1' must be 40 hexadecimal digits");
    } else if (o.value("password").isString()) {
      u.passwordSha1 = sha1Hex(o.value("password").toString());
    } else {
      return fail(where + ": 'password' or 'passwordSha1' is required");
    }
    u.account = o.value("account").toObject();
    if (!u.account.contains("login")) u.account["login"] = u.login;
    if (!u.account.contains("id")) u.account["id"] = i + 1;
    const QString home = o.value("home").toString();
    if (!home.isEmpty())
      u.homeFile = QFileInfo(home).isAbsolute() || home.startsWith(':') ? home : QDir(baseDir).filePath(home);
    users.m_users.push_back(u);
  }
  if (users.m_users.empty()) return fail(QStringLiteral("'users' lists nobody"));
  return users;
}

std::optional<Users> Users::loadFile(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString());
    return std::nullopt;
  }
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
  if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
    if (error) *error = QStringLiteral("%1: not a JSON object (%2)").arg(path, parseError.errorString());
    return std::nullopt;
  }
  QString inner;
  const QString baseDir = path.startsWith(':') ? QStringLiteral(":/simulator") : QFileInfo(path).absolutePath();
  auto users = fromJson(doc.object(), baseDir, &inner);
  if (!users && error) *error = QStringLiteral("%1: %2").arg(path, inner);
  return users;
}

const User* Users::find(const QString& login) const {
  for (const User& u : m_users)
    if (u.login == login) return &u;
  return nullptr;
}

const User* Users::authenticate(const QString& login, const QString& passwordSha1) const {
  const User* u = find(login);
  if (!u) return nullptr;
  // Compare every digit, whatever the first difference, so timing tells nothing.
  const QByteArray a = u->passwordSha1.toLatin1();
  const QByteArray b = passwordSha1.toLower().toLatin1();
  if (a.size() != b.size()) return nullptr;
  int diff = 0;
  for (int i = 0; i < a.size(); ++i) diff |= a[i] ^ b[i];
  return diff == 0 ? u : nullptr;
}

}  // namespace simhome
