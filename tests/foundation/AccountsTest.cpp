// Several accounts on one machine: each keeps its own remembered password through sign-ins of the
// others, the one signed in last with "remember me" starts the app, forgetting one leaves the
// others, and the list keeps the most recent first.
#include "foundation/Accounts.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using foundation::Account;

namespace {

const QString kServer = QStringLiteral("https://127.0.0.1:8470/tavrobox/v1");
const QString kOtherServer = QStringLiteral("https://box.example:443/tavrobox/v1");

class AccountsTest : public ::testing::Test {
 protected:
  tbtest::TempDir dir;
  foundation::Preferences prefs{dir.file("tavrobox.prefs")};
  foundation::PreferencesSecretStore secrets{prefs};

  QString remembered(const Account& account) {
    const auto signIn = foundation::rememberedSignInOf(prefs, secrets, account, kServer);
    return signIn ? signIn->passwordDigest : QString();
  }
  QString starting(const QString& server = kServer) {
    const auto signIn = foundation::startSignInFor(prefs, secrets, server);
    return signIn ? signIn->login : QString();
  }
};

TEST_F(AccountsTest, EachAccountKeepsItsPasswordThroughTheOthersSignInsAndForgettingOneLeavesTheRest) {
  const Account demo{QStringLiteral("demo"), kServer};
  const Account anne{QStringLiteral("anne"), kServer};
  const Account demoElsewhere{QStringLiteral("demo"), kOtherServer};

  ASSERT_TRUE(foundation::signedInAs(prefs, secrets, demo, QStringLiteral("d1"), kServer));
  EXPECT_EQ(starting(), QStringLiteral("demo"));
  ASSERT_TRUE(foundation::signedInAs(prefs, secrets, anne, QStringLiteral("a1"), kServer));
  EXPECT_EQ(starting(), QStringLiteral("anne"));
  EXPECT_EQ(remembered(demo), QStringLiteral("d1")) << "demo waits with its password";
  EXPECT_EQ(remembered(anne), QStringLiteral("a1"));

  // The same user on another server is another account, and does not start this one.
  ASSERT_TRUE(foundation::signedInAs(prefs, secrets, demoElsewhere, QStringLiteral("x1"), kServer));
  EXPECT_EQ(starting(), QString()) << "the starting account is of another server";
  EXPECT_EQ(starting(kOtherServer), QStringLiteral("demo"));
  EXPECT_EQ(remembered(anne), QStringLiteral("a1"));
  EXPECT_EQ(remembered(demo), QStringLiteral("d1"));

  // Back to demo here, without "remember me": its password goes, nothing starts by itself, the
  // others keep theirs.
  ASSERT_TRUE(foundation::signedInAs(prefs, secrets, demo, std::nullopt, kServer));
  EXPECT_EQ(remembered(demo), QString());
  EXPECT_EQ(starting(), QString());
  EXPECT_EQ(remembered(anne), QStringLiteral("a1"));
  EXPECT_EQ(remembered(demoElsewhere), QStringLiteral("x1"));

  // Anne chosen again from the list starts the app again; then she signs out.
  ASSERT_TRUE(foundation::signedInAs(prefs, secrets, anne, QStringLiteral("a1"), kServer));
  EXPECT_EQ(starting(), QStringLiteral("anne"));
  foundation::forgetSignInOf(prefs, secrets, anne, kServer);
  EXPECT_EQ(starting(), QString());
  EXPECT_EQ(remembered(anne), QString());
  EXPECT_EQ(remembered(demoElsewhere), QStringLiteral("x1"));

  // Most recent first, each once; forgetting a password keeps the account in the list.
  const QList<Account> expected{anne, demo, demoElsewhere};
  EXPECT_EQ(foundation::usedAccounts(prefs), expected);
  EXPECT_EQ(anne.label(), QStringLiteral("anne @ 127.0.0.1:8470"));
}

TEST_F(AccountsTest, ALegacyRememberedSignInIsOfTheConfiguredServerAndABrokenListReadsAsEmpty) {
  // An earlier version remembered a user without naming a server.
  prefs.setBool(foundation::kAutoLogPref, true);
  prefs.setString(foundation::kLoginPref, QStringLiteral("demo"));
  ASSERT_TRUE(secrets.write(foundation::kPasswordDigestPref, QStringLiteral("d1")));
  EXPECT_EQ(starting(), QStringLiteral("demo"));
  EXPECT_EQ(remembered({QStringLiteral("demo"), kServer}), QStringLiteral("d1"));
  // The app pointed at another server still knows it as the configured server's.
  EXPECT_FALSE(foundation::startSignInFor(prefs, secrets, kOtherServer, kServer).has_value());

  for (const char* broken : {"not json", "{\"user\":\"demo\"}", "[{\"user\":\"\",\"server\":\"x\"}, 3, null]"}) {
    prefs.setString(foundation::kUsedAccountsPref, QString::fromLatin1(broken));
    EXPECT_TRUE(foundation::usedAccounts(prefs).isEmpty()) << broken;
  }
  for (int i = 0; i < foundation::kMaxUsedAccounts + 3; ++i)
    foundation::noteAccountUsed(prefs, {QStringLiteral("user%1").arg(i), kServer});
  const QList<Account> kept = foundation::usedAccounts(prefs);
  ASSERT_EQ(kept.size(), foundation::kMaxUsedAccounts);
  EXPECT_EQ(kept.first().user, QStringLiteral("user%1").arg(foundation::kMaxUsedAccounts + 2));
}

}  // namespace
