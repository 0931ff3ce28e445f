// The keychain is used only when it answers, and once it holds the password no copy stays in the
// preferences file.
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"
#include "support/FakeKeychain.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QMap>

#include <gtest/gtest.h>

namespace {

using tbtest::FakeKeychain;

TEST(SecretStore, AKeychainThatDoesNotAnswerIsNotUsed) {
  tbtest::TempDir dir;
  foundation::Preferences preferences(dir.file("tavrobox.prefs"));
  QMap<QString, QString> entries;
  QElapsedTimer elapsed;
  elapsed.start();
  auto store = foundation::makeSecretStore(preferences, std::make_unique<FakeKeychain>(false, &entries), 200);
  EXPECT_EQ(store->backendName(), "preferences file");
  EXPECT_LT(elapsed.elapsed(), 2000);
  auto answering = foundation::makeSecretStore(preferences, std::make_unique<FakeKeychain>(true, &entries), 200);
  EXPECT_EQ(answering->backendName(), "system keychain");
}

TEST(SecretStore, APasswordWrittenToTheKeychainLeavesNoCopyInThePreferences) {
  tbtest::TempDir dir;
  foundation::Preferences preferences(dir.file("tavrobox.prefs"));
  // A run without a keychain left the password in the file.
  foundation::PreferencesSecretStore(preferences).write(foundation::kPasswordPref, "old");
  preferences.sync();
  QMap<QString, QString> entries;
  auto store = foundation::makeSecretStore(preferences, std::make_unique<FakeKeychain>(true, &entries), 200);
  ASSERT_TRUE(store->write(foundation::kPasswordPref, "new"));
  preferences.sync();
  EXPECT_FALSE(preferences.contains(foundation::kPasswordPref));
  EXPECT_EQ(store->read(foundation::kPasswordPref), "new");
  EXPECT_EQ(entries.value(foundation::kPasswordPref), "new");
}

}  // namespace
