#pragma once
// Where the remembered password lives: the system keychain when one answers, otherwise the
// preferences file, which is then made readable by its owner only.
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace foundation {

class Preferences;

class SecretStore {
 public:
  virtual ~SecretStore() = default;
  virtual QString read(const QString& key) = 0;  // "" when nothing is stored
  virtual bool write(const QString& key, const QString& value) = 0;
  virtual void remove(const QString& key) = 0;
  virtual QString backendName() const = 0;

  // The keychain when it answers within a short wait, else the preferences file fallback.
  static std::unique_ptr<SecretStore> create(Preferences& preferences);

  static SecretStore& standard();
  static void setStandard(std::unique_ptr<SecretStore> store);
};

// Keeps secrets in the preferences file, made owner-only (0600) before the first one is written.
class PreferencesSecretStore final : public SecretStore {
 public:
  explicit PreferencesSecretStore(Preferences& preferences);
  QString read(const QString& key) override;
  bool write(const QString& key, const QString& value) override;
  void remove(const QString& key) override;
  QString backendName() const override { return QStringLiteral("preferences file"); }

 private:
  Preferences& m_preferences;
};

// What the keychain store needs of a system keychain. Answers come asynchronously, at most once
// per call, possibly never.
class KeychainBackend {
 public:
  enum class Answer { Ok, NotFound, Failed };
  using Done = std::function<void(Answer answer, const QString& value)>;
  virtual ~KeychainBackend() = default;
  virtual void read(const QString& key, Done done) = 0;
  virtual void write(const QString& key, const QString& value, Done done) = 0;
  virtual void remove(const QString& key, Done done) = 0;

  // The system's (QtKeychain), or null when the program was built without one.
  static std::unique_ptr<KeychainBackend> system(const QString& service = QStringLiteral("TavroBox"));
};

// The system keychain. available() asks it once whether it answers at all: only an answer counts,
// a keychain that stays silent for the wait is not used (every later read would block as long).
// Once a secret is in the keychain, a copy an earlier run left in the preferences file goes.
class KeychainSecretStore final : public SecretStore {
 public:
  static constexpr int kDefaultWaitMs = 3000;

  // `preferences`: where an earlier run may have left secrets (not owned; may be null).
  explicit KeychainSecretStore(std::unique_ptr<KeychainBackend> backend, Preferences* preferences = nullptr,
                               int waitMs = kDefaultWaitMs);
  bool available();
  QString read(const QString& key) override;
  bool write(const QString& key, const QString& value) override;
  void remove(const QString& key) override;
  QString backendName() const override { return QStringLiteral("system keychain"); }

 private:
  struct Reply {
    KeychainBackend::Answer answer;
    QString value;
  };
  // Runs one call to its answer, bounded by the wait; none when the keychain did not answer.
  std::optional<Reply> run(const std::function<void(KeychainBackend::Done)>& call);

  std::unique_ptr<KeychainBackend> m_backend;
  Preferences* m_preferences;
  int m_waitMs;
};

// The keychain when `backend` answers within `waitMs`, else the preferences file.
std::unique_ptr<SecretStore> makeSecretStore(Preferences& preferences, std::unique_ptr<KeychainBackend> backend,
                                             int waitMs = KeychainSecretStore::kDefaultWaitMs);

}  // namespace foundation
