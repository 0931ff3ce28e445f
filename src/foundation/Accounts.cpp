#include "foundation/Accounts.h"

#include "foundation/Digest.h"
#include "foundation/Logging.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace foundation {

namespace {

void storeAccounts(Preferences& preferences, const QList<Account>& accounts) {
  QJsonArray list;
  for (const Account& account : accounts)
    list.append(QJsonObject{{QStringLiteral("user"), account.user}, {QStringLiteral("server"), account.server}});
  preferences.setString(QString::fromLatin1(kUsedAccountsPref), QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)));
}

QString serverOfStart(Preferences& preferences, const QString& defaultServer) {
  const QString server = preferences.string(QString::fromLatin1(kServerPref));
  return server.isEmpty() ? defaultServer : server;
}

// The starting account as the preferences name it, whether or not its digest is still there.
std::optional<Account> namedStart(Preferences& preferences, const QString& defaultServer) {
  if (!preferences.boolean(kAutoLogPref).value_or(false)) return std::nullopt;
  Account account{preferences.string(kLoginPref), serverOfStart(preferences, defaultServer)};
  if (!account.isValid()) return std::nullopt;
  return account;
}

void clearStart(Preferences& preferences, SecretStore& secrets) {
  forgetSignIn(preferences, secrets);
  preferences.remove(QString::fromLatin1(kServerPref));
}

}  // namespace

QString Account::label() const {
  const QUrl url(server);
  QString host = url.host();
  if (host.isEmpty()) host = server;
  if (url.port() > 0) host += QLatin1Char(':') + QString::number(url.port());
  return user + QStringLiteral(" @ ") + host;
}

QString Account::id() const { return md5Hex((user + QLatin1Char('\n') + server).toUtf8()); }

QString waitingDigestKey(const Account& account) { return QString::fromLatin1(kPasswordDigestPref) + QLatin1Char('.') + account.id(); }

QList<Account> usedAccounts(Preferences& preferences) {
  QList<Account> accounts;
  const QJsonDocument document = QJsonDocument::fromJson(preferences.string(QString::fromLatin1(kUsedAccountsPref)).toUtf8());
  for (const QJsonValue& entry : document.array()) {
    const Account account{entry.toObject().value(QStringLiteral("user")).toString(),
                          entry.toObject().value(QStringLiteral("server")).toString()};
    if (account.isValid() && !accounts.contains(account)) accounts << account;
  }
  return accounts;
}

void noteAccountUsed(Preferences& preferences, const Account& account) {
  if (!account.isValid()) return;
  QList<Account> accounts = usedAccounts(preferences);
  accounts.removeAll(account);
  accounts.prepend(account);
  while (accounts.size() > kMaxUsedAccounts) accounts.removeLast();
  storeAccounts(preferences, accounts);
}

void removeUsedAccount(Preferences& preferences, const Account& account) {
  QList<Account> accounts = usedAccounts(preferences);
  if (accounts.removeAll(account) > 0) storeAccounts(preferences, accounts);
}

std::optional<RememberedSignIn> startSignInFor(Preferences& preferences, SecretStore& secrets, const QString& server) {
  return startSignInFor(preferences, secrets, server, server);
}

std::optional<RememberedSignIn> startSignInFor(Preferences& preferences, SecretStore& secrets, const QString& server,
                                               const QString& defaultServer) {
  // The server first: the secret store is asked only for an account of this one.
  if (serverOfStart(preferences, defaultServer) != server) return std::nullopt;
  return rememberedSignIn(preferences, secrets);
}

std::optional<RememberedSignIn> rememberedSignInOf(Preferences& preferences, SecretStore& secrets,
                                                   const Account& account, const QString& defaultServer) {
  if (!account.isValid()) return std::nullopt;
  if (namedStart(preferences, defaultServer) == account) return rememberedSignIn(preferences, secrets);
  const QString digest = secrets.read(waitingDigestKey(account));
  if (digest.isEmpty()) return std::nullopt;
  return RememberedSignIn{account.user, digest};
}

bool signedInAs(Preferences& preferences, SecretStore& secrets, const Account& account,
                const std::optional<QString>& digestToRemember, const QString& defaultServer) {
  noteAccountUsed(preferences, account);
  // The account that started the app until now waits with its digest, unless it is this one.
  if (const auto start = namedStart(preferences, defaultServer); start && *start != account) {
    const auto remembered = rememberedSignIn(preferences, secrets);
    if (remembered && !secrets.write(waitingDigestKey(*start), remembered->passwordDigest))
      qCWarning(lcApp, "The password of the previous account could not be kept; it will be asked again");
    clearStart(preferences, secrets);
  }
  if (!secrets.read(waitingDigestKey(account)).isEmpty()) secrets.remove(waitingDigestKey(account));
  if (!digestToRemember) {
    if (namedStart(preferences, defaultServer) == account) clearStart(preferences, secrets);
    return true;
  }
  if (!rememberSignIn(preferences, secrets, {account.user, *digestToRemember})) {
    preferences.remove(QString::fromLatin1(kServerPref));
    return false;
  }
  preferences.setString(QString::fromLatin1(kServerPref), account.server);
  return true;
}

void forgetSignInOf(Preferences& preferences, SecretStore& secrets, const Account& account, const QString& defaultServer) {
  if (!account.isValid()) return;
  if (namedStart(preferences, defaultServer) == account) clearStart(preferences, secrets);
  if (!secrets.read(waitingDigestKey(account)).isEmpty()) secrets.remove(waitingDigestKey(account));
}

}  // namespace foundation
