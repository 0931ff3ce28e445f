#pragma once
// Where the remembered password lives: the system keychain when one answers, otherwise the
// preferences file, which is then made readable by its owner only.
#include <QString>

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

// The system keychain (QtKeychain). available() asks it once whether it answers at all.
class KeychainSecretStore final : public SecretStore {
 public:
  explicit KeychainSecretStore(QString service = QStringLiteral("TavroBox"));
  static bool isCompiledIn();
  bool available();
  QString read(const QString& key) override;
  bool write(const QString& key, const QString& value) override;
  void remove(const QString& key) override;
  QString backendName() const override { return QStringLiteral("system keychain"); }

 private:
  QString m_service;
};

}  // namespace foundation
