#pragma once
// The accounts this app has signed in to, each a user on a server (the service's base URL), most
// recent first, and the password digest remembered for each.
//
// One account at a time "starts the app": the one whose credentials the legacy keys of
// RememberedSignIn hold (user name, auto-login flag, the digest in the secret store), so that a
// start signs it in without asking. The other accounts' digests wait in the secret store under a
// key of their own, out of any reader's way, until the user chooses one of them again. A digest
// is never kept anywhere else, and a forgotten account keeps nothing but its place in the list.
#include "foundation/RememberedSignIn.h"

#include <QList>
#include <QString>

#include <optional>

namespace foundation {

class Preferences;
class SecretStore;

// The list, as JSON in the preferences; the server of the account that starts the app.
inline constexpr const char* kUsedAccountsPref = "UsedAccounts";
inline constexpr const char* kServerPref = "VyrServerPref";

struct Account {
  QString user;
  QString server;  // the service's base URL
  bool operator==(const Account&) const = default;
  bool isValid() const { return !user.isEmpty() && !server.isEmpty(); }
  // "user @ host" (with the port when the address names one), as the account list shows it.
  QString label() const;
  // A name of the account that holds no character a key store could take badly.
  QString id() const;
};

// Most recent first; entries that cannot be read are skipped.
QList<Account> usedAccounts(Preferences& preferences);
// Puts `account` first (adding it when new); at most kMaxUsedAccounts are kept.
inline constexpr int kMaxUsedAccounts = 12;
void noteAccountUsed(Preferences& preferences, const Account& account);
void removeUsedAccount(Preferences& preferences, const Account& account);

// The remembered sign-in of the account that starts the app, when it is an account of `server`. A
// remembered sign-in of an earlier version names no server: it is one of `server`.
std::optional<RememberedSignIn> startSignInFor(Preferences& preferences, SecretStore& secrets, const QString& server);
// The same when the app may point at another server than `defaultServer`, the configured one, to
// which a remembered sign-in that names no server belongs.
std::optional<RememberedSignIn> startSignInFor(Preferences& preferences, SecretStore& secrets, const QString& server,
                                               const QString& defaultServer);
// What is remembered for `account` (the starting one or a waiting one).
std::optional<RememberedSignIn> rememberedSignInOf(Preferences& preferences, SecretStore& secrets,
                                                   const Account& account, const QString& defaultServer);
// After the service accepted `account`: with a digest it becomes the account that starts the app;
// without, what was remembered for it goes and no account starts the app. Either way the account
// that started the app until now keeps its digest, waiting. False when the digest could not be
// stored safely (nothing is then remembered for `account`).
bool signedInAs(Preferences& preferences, SecretStore& secrets, const Account& account,
                const std::optional<QString>& digestToRemember, const QString& defaultServer);
// Forgets the digest remembered for `account`, wherever it is; the other accounts keep theirs.
void forgetSignInOf(Preferences& preferences, SecretStore& secrets, const Account& account, const QString& defaultServer);
// Where a waiting account's digest is kept in the secret store.
QString waitingDigestKey(const Account& account);

}  // namespace foundation
