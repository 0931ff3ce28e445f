#include "foundation/SecretStore.h"

#include "foundation/Logging.h"
#include "foundation/Preferences.h"

#include <QEventLoop>
#include <QTimer>

#ifdef TB_HAVE_QTKEYCHAIN
#include <qt6keychain/keychain.h>
#endif

namespace foundation {

namespace {
std::unique_ptr<SecretStore>& standardSlot() {
  static std::unique_ptr<SecretStore> slot;
  return slot;
}
constexpr int kKeychainWaitMs = 3000;  // a keychain that has not answered by then is not used
}  // namespace

SecretStore& SecretStore::standard() {
  auto& slot = standardSlot();
  if (!slot) slot = create(Preferences::standard());
  return *slot;
}

void SecretStore::setStandard(std::unique_ptr<SecretStore> store) { standardSlot() = std::move(store); }

std::unique_ptr<SecretStore> SecretStore::create(Preferences& preferences) {
  auto keychain = std::make_unique<KeychainSecretStore>();
  if (keychain->available()) return keychain;
  qCWarning(lcApp, "No system keychain answers: the remembered password is kept in %s, readable by its owner only.",
            qUtf8Printable(preferences.filePath()));
  return std::make_unique<PreferencesSecretStore>(preferences);
}

PreferencesSecretStore::PreferencesSecretStore(Preferences& preferences) : m_preferences(preferences) {}

QString PreferencesSecretStore::read(const QString& key) { return m_preferences.string(key); }

bool PreferencesSecretStore::write(const QString& key, const QString& value) {
  if (!m_preferences.restrictToOwner()) return false;
  m_preferences.setString(key, value);
  return true;
}

void PreferencesSecretStore::remove(const QString& key) {
  // An empty text stands for "nothing remembered"; the key stays so readers find "".
  m_preferences.setString(key, QString());
}

KeychainSecretStore::KeychainSecretStore(QString service) : m_service(std::move(service)) {}

bool KeychainSecretStore::isCompiledIn() {
#ifdef TB_HAVE_QTKEYCHAIN
  return true;
#else
  return false;
#endif
}

#ifdef TB_HAVE_QTKEYCHAIN
namespace {
// Runs a keychain job to its end (they answer asynchronously), bounded by kKeychainWaitMs.
bool runJob(QKeychain::Job& job) {
  QEventLoop loop;
  bool finished = false;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
    finished = true;
    loop.quit();
  });
  QTimer::singleShot(kKeychainWaitMs, &loop, &QEventLoop::quit);
  job.setAutoDelete(false);
  job.start();
  if (!finished) loop.exec();
  return finished && job.error() == QKeychain::NoError;
}
}  // namespace

bool KeychainSecretStore::available() {
  // A read of an absent entry answers EntryNotFound from a working keychain, and
  // NoBackendAvailable / OtherError (at once) where there is none.
  QKeychain::ReadPasswordJob job(m_service);
  job.setKey(QStringLiteral("tavrobox-probe"));
  runJob(job);
  return job.error() == QKeychain::NoError || job.error() == QKeychain::EntryNotFound;
}

QString KeychainSecretStore::read(const QString& key) {
  QKeychain::ReadPasswordJob job(m_service);
  job.setKey(key);
  return runJob(job) ? job.textData() : QString();
}

bool KeychainSecretStore::write(const QString& key, const QString& value) {
  QKeychain::WritePasswordJob job(m_service);
  job.setKey(key);
  job.setTextData(value);
  return runJob(job);
}

void KeychainSecretStore::remove(const QString& key) {
  QKeychain::DeletePasswordJob job(m_service);
  job.setKey(key);
  runJob(job);
}
#else
bool KeychainSecretStore::available() { return false; }
QString KeychainSecretStore::read(const QString&) { return {}; }
bool KeychainSecretStore::write(const QString&, const QString&) { return false; }
void KeychainSecretStore::remove(const QString&) {}
#endif

}  // namespace foundation
