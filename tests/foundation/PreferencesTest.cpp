#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"

#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

using foundation::Preferences;
using foundation::PreferencesSecretStore;

namespace {
mode_t modeOf(const QString& path) {
  struct stat st {};
  EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
  return st.st_mode & 0777;
}
}  // namespace

TEST(Preferences, StoresReadsAndRemovesAcrossInstances) {
  tbtest::TempDir dir;
  const QString path = dir.file("prefs.ini");
  {
    Preferences prefs(path);
    EXPECT_EQ(prefs.string(foundation::kLoginPref), QString());
    EXPECT_FALSE(prefs.boolean(foundation::kAutoLogPref).has_value());
    prefs.setString(foundation::kLoginPref, QStringLiteral("jean.dupont@exemple.fr"));
    prefs.setBool(foundation::kAutoLogPref, true);
  }
  Preferences again(path);
  EXPECT_EQ(again.string(foundation::kLoginPref), QStringLiteral("jean.dupont@exemple.fr"));
  EXPECT_EQ(again.boolean(foundation::kAutoLogPref), true);
  again.remove(foundation::kAutoLogPref);
  EXPECT_FALSE(Preferences(path).contains(foundation::kAutoLogPref));
}

TEST(SecretStoreFallback, KeepsThePasswordInAnOwnerOnlyFile) {
  tbtest::TempDir dir;
  const QString path = dir.file("prefs.ini");
  Preferences prefs(path);
  prefs.setString(foundation::kLoginPref, QStringLiteral("jean"));
  ::chmod(QFile::encodeName(path).constData(), 0644);  // as an older version may have left it

  PreferencesSecretStore store(prefs);
  ASSERT_TRUE(store.write(foundation::kPasswordPref, QStringLiteral("s3cret")));
  EXPECT_EQ(modeOf(path), 0600u);
  EXPECT_EQ(store.read(foundation::kPasswordPref), QStringLiteral("s3cret"));

  // Later writes of any key go through a temporary file: the mode must survive them.
  prefs.setString(foundation::kLoginPref, QStringLiteral("paul"));
  EXPECT_EQ(modeOf(path), 0600u);

  store.remove(foundation::kPasswordPref);
  EXPECT_EQ(store.read(foundation::kPasswordPref), QString());
}

TEST(SecretStoreFallback, CreatesTheFileOwnerOnlyWhenItDoesNotExistYet) {
  tbtest::TempDir dir;
  const QString path = dir.file("sub/prefs.ini");
  Preferences prefs(path);
  PreferencesSecretStore store(prefs);
  ASSERT_TRUE(store.write(foundation::kPasswordPref, QStringLiteral("pw")));
  ASSERT_TRUE(QFileInfo::exists(path));
  EXPECT_EQ(modeOf(path), 0600u);
}

TEST(SecretStore, FallsBackQuicklyWhenNoKeychainAnswers) {
  // Tests run without a session bus: the keychain refuses at once and the file store is chosen.
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) GTEST_SKIP() << "a session bus is present";
  tbtest::TempDir dir;
  Preferences prefs(dir.file("prefs.ini"));
  auto store = foundation::SecretStore::create(prefs);
  EXPECT_EQ(store->backendName(), QStringLiteral("preferences file"));
}
