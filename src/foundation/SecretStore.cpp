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
}  // namespace

SecretStore& SecretStore::standard() {
  auto& slot = standardSlot();
  if (!slot) slot = create(Preferences::standard());
  return *slot;
}

void SecretStore::setStandard(std::unique_ptr<SecretStore> store) { standardSlot() = std::move(store); }

std::unique_ptr<SecretStore> SecretStore::create(Preferences& preferences) {
  return makeSecretStore(preferences, KeychainBackend::system());
}

std::unique_ptr<SecretStore> makeSecretStore(Preferences& preferences, std::unique_ptr<KeychainBackend> backend,
                                             int waitMs) {
  if (backend) {
    auto keychain = std::make_unique<KeychainSecretStore>(std::move(backend), &preferences, waitMs);
    if (keychain->available()) return keychain;
  }
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

KeychainSecretStore::KeychainSecretStore(std::unique_ptr<KeychainBackend> backend, Preferences* preferences, int waitMs)
    : m_backend(std::move(backend)), m_preferences(preferences), m_waitMs(waitMs) {}

std::optional<KeychainSecretStore::Reply> KeychainSecretStore::run(const std::function<void(KeychainBackend::Done)>& call) {
  // Shared with the callback, which may come after the wait is over (or never).
  struct State {
    std::optional<Reply> reply;
    QEventLoop* loop = nullptr;
  };
  auto state = std::make_shared<State>();
  QEventLoop loop;
  state->loop = &loop;
  call([state](KeychainBackend::Answer answer, const QString& value) {
    if (state->reply) return;
    state->reply = Reply{answer, value};
    if (state->loop) state->loop->quit();
  });
  if (!state->reply) {
    QTimer::singleShot(m_waitMs, &loop, &QEventLoop::quit);
    loop.exec();
  }
  state->loop = nullptr;
  return state->reply;
}

bool KeychainSecretStore::available() {
  // A read of an absent entry answers "not found" from a working keychain, and fails at once
  // where there is none.
  const auto reply = run([this](KeychainBackend::Done done) { m_backend->read(QStringLiteral("tavrobox-probe"), done); });
  return reply && (reply->answer == KeychainBackend::Answer::Ok || reply->answer == KeychainBackend::Answer::NotFound);
}

QString KeychainSecretStore::read(const QString& key) {
  const auto reply = run([&](KeychainBackend::Done done) { m_backend->read(key, done); });
  return reply && reply->answer == KeychainBackend::Answer::Ok ? reply->value : QString();
}

bool KeychainSecretStore::write(const QString& key, const QString& value) {
  const auto reply = run([&](KeychainBackend::Done done) { m_backend->write(key, value, done); });
  if (!reply || reply->answer != KeychainBackend::Answer::Ok) return false;
  // The keychain holds it now: a copy in the preferences file (a run without a keychain) goes.
  if (m_preferences && m_preferences->contains(key)) m_preferences->remove(key);
  return true;
}

void KeychainSecretStore::remove(const QString& key) {
  run([&](KeychainBackend::Done done) { m_backend->remove(key, done); });
  if (m_preferences && m_preferences->contains(key)) m_preferences->remove(key);
}

#ifdef TB_HAVE_QTKEYCHAIN
namespace {
class QtKeychainBackend final : public KeychainBackend {
 public:
  explicit QtKeychainBackend(QString service) : m_service(std::move(service)) {}
  void read(const QString& key, Done done) override {
    auto* job = new QKeychain::ReadPasswordJob(m_service);
    job->setKey(key);
    start(job, std::move(done), [job] { return job->textData(); });
  }
  void write(const QString& key, const QString& value, Done done) override {
    auto* job = new QKeychain::WritePasswordJob(m_service);
    job->setKey(key);
    job->setTextData(value);
    start(job, std::move(done), [] { return QString(); });
  }
  void remove(const QString& key, Done done) override {
    auto* job = new QKeychain::DeletePasswordJob(m_service);
    job->setKey(key);
    start(job, std::move(done), [] { return QString(); });
  }

 private:
  static void start(QKeychain::Job* job, Done done, std::function<QString()> value) {
    // The job deletes itself once finished, whether or not anyone still waits for it.
    job->setAutoDelete(true);
    QObject::connect(job, &QKeychain::Job::finished, job, [job, done = std::move(done), value = std::move(value)] {
      const auto error = job->error();
      done(error == QKeychain::NoError ? Answer::Ok : error == QKeychain::EntryNotFound ? Answer::NotFound : Answer::Failed,
           error == QKeychain::NoError ? value() : QString());
    });
    job->start();
  }
  QString m_service;
};
}  // namespace

std::unique_ptr<KeychainBackend> KeychainBackend::system(const QString& service) {
  return std::make_unique<QtKeychainBackend>(service);
}
#else
std::unique_ptr<KeychainBackend> KeychainBackend::system(const QString&) { return nullptr; }
#endif

}  // namespace foundation
