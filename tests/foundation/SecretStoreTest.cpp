// The keychain is used only when it answers, and once it holds the password no copy stays in the
// preferences file.
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QMap>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using foundation::KeychainBackend;

// A keychain that answers on the next turn of the event loop, or never.
class FakeKeychain final : public KeychainBackend {
 public:
  explicit FakeKeychain(bool answers, QMap<QString, QString>* entries) : m_answers(answers), m_entries(entries) {}
  void read(const QString& key, Done done) override {
    answer(std::move(done), [=, this] {
      return m_entries->contains(key) ? std::pair{Answer::Ok, m_entries->value(key)} : std::pair{Answer::NotFound, QString()};
    });
  }
  void write(const QString& key, const QString& value, Done done) override {
    answer(std::move(done), [=, this] {
      m_entries->insert(key, value);
      return std::pair{Answer::Ok, QString()};
    });
  }
  void remove(const QString& key, Done done) override {
    answer(std::move(done), [=, this] {
      m_entries->remove(key);
      return std::pair{Answer::Ok, QString()};
    });
  }

 private:
  void answer(Done done, std::function<std::pair<Answer, QString>()> act) {
    if (!m_answers) return;
    QTimer::singleShot(0, [done = std::move(done), act = std::move(act)] {
      const auto [answer, value] = act();
      done(answer, value);
    });
  }
  bool m_answers;
  QMap<QString, QString>* m_entries;
};

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
