#include "backend/AlarmLock.h"

#include "backend/BERestConfig.h"
#include "backend/BEServiceLogin.h"
#include "backend/BESessionManager.h"
#include "foundation/Clock.h"
#include "foundation/Digest.h"
#include "foundation/Logging.h"
#include "foundation/Preferences.h"
#include "foundation/RememberedSignIn.h"
#include "foundation/SecretStore.h"

#include <QFutureWatcher>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace backend {

namespace {

constexpr int kSaltBytes = 16;
constexpr int kDigestBytes = 32;
const QString kScheme = QStringLiteral("pbkdf2-sha256");

foundation::Preferences& prefs() { return foundation::Preferences::standard(); }

struct StoredCode {
  int iterations = 0;
  QByteArray salt;
  QByteArray digest;
};

// "pbkdf2-sha256$<iterations>$<salt>$<digest>" (base64); nothing when it is not that.
std::optional<StoredCode> parse(const QString& text) {
  const QStringList parts = text.split(QLatin1Char('$'));
  if (parts.size() != 4 || parts[0] != kScheme) return std::nullopt;
  bool ok = false;
  StoredCode stored{parts[1].toInt(&ok), QByteArray::fromBase64(parts[2].toLatin1()), QByteArray::fromBase64(parts[3].toLatin1())};
  if (!ok || stored.iterations < 1 || stored.salt.isEmpty() || stored.digest.size() != kDigestBytes) return std::nullopt;
  return stored;
}

bool sameBytes(const QByteArray& a, const QByteArray& b) {
  // Every byte is compared, whatever the first difference.
  if (a.size() != b.size()) return false;
  unsigned char diff = 0;
  for (qsizetype i = 0; i < a.size(); ++i) diff |= static_cast<unsigned char>(a[i] ^ b[i]);
  return diff == 0;
}

// The wait that `failures` wrong codes in a row have earned.
double waitFor(int failures) {
  if (failures < AlarmLock::kFreeTries) return 0;
  const int doublings = std::min(failures - AlarmLock::kFreeTries, 16);
  return std::min(AlarmLock::kFirstWait * std::pow(2.0, doublings), AlarmLock::kLongestWait);
}

qint64 nowMs() { return foundation::scheduler().now().toMSecsSinceEpoch(); }

}  // namespace

AlarmLock::AlarmLock(QObject* parent) : AlarmLock(currentLogin(), currentServer(), parent) {}

AlarmLock::AlarmLock(const QString& login, const QString& server, QObject* parent)
    : QObject(parent), m_login(login), m_account(login + QLatin1Char('@') + server) {}

AlarmLock::~AlarmLock() = default;

QString AlarmLock::currentLogin() {
  const std::string& signedIn = BESessionManager::getInstance().signedInLogin();
  return signedIn.empty() ? prefs().string(foundation::kLoginPref) : QString::fromStdString(signedIn);
}

QString AlarmLock::currentServer() { return BERestConfig::getInstance().baseURL(); }

QString AlarmLock::key(const char* name) const {
  // Accounts hold characters the preferences file reads as groups ("/" of the server's address).
  return QStringLiteral("AlarmLock/") + foundation::md5Hex(m_account.toUtf8()) + QLatin1Char('/') + QLatin1String(name);
}

bool AlarmLock::isWellFormed(const QString& code) {
  if (code.size() < kMinDigits || code.size() > kMaxDigits) return false;
  return std::all_of(code.begin(), code.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool AlarmLock::hasCode() const { return parse(prefs().string(key("Code"))).has_value(); }

void AlarmLock::derive(const QString& code, const QByteArray& salt, int iterations, std::function<void(QByteArray)> then) {
  auto* watcher = new QFutureWatcher<QByteArray>(this);
  connect(watcher, &QFutureWatcher<QByteArray>::finished, this, [watcher, then = std::move(then)] {
    const QByteArray digest = watcher->result();
    watcher->deleteLater();
    then(digest);
  });
  watcher->setFuture(QtConcurrent::run([data = code.toUtf8(), salt, iterations] {
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, data, salt, iterations, kDigestBytes);
  }));
}

void AlarmLock::setCode(const QString& code, std::function<void(bool)> done) {
  if (!isWellFormed(code)) {
    if (done) done(false);
    return;
  }
  QByteArray salt(kSaltBytes, Qt::Uninitialized);
  QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), kSaltBytes / 4);
  const int iterations = m_iterations;
  derive(code, salt, iterations, [this, salt, iterations, done = std::move(done)](const QByteArray& digest) {
    const bool stored = digest.size() == kDigestBytes;
    if (stored) {
      prefs().setString(key("Code"), QStringList{kScheme, QString::number(iterations), QString::fromLatin1(salt.toBase64()),
                                                 QString::fromLatin1(digest.toBase64())}
                                          .join(QLatin1Char('$')));
      clearTries();
      emit changed();
    }
    if (done) done(stored);
  });
}

void AlarmLock::removeCode() {
  prefs().remove(key("Code"));
  clearTries();
  emit changed();
}

int AlarmLock::failures() const { return std::max(0, prefs().string(key("Failures")).toInt()); }

double AlarmLock::waitRemaining() const {
  const int count = failures();
  if (count < kFreeTries) return 0;
  const double left = double(prefs().string(key("WaitUntil")).toLongLong() - nowMs()) / 1000.0;
  return std::clamp(left, 0.0, waitFor(count));
}

int AlarmLock::triesBeforeWait() const { return std::max(0, kFreeTries - failures()); }

void AlarmLock::noteWrong() {
  const int count = failures() + 1;
  prefs().setString(key("Failures"), QString::number(count));
  if (count >= kFreeTries) prefs().setString(key("WaitUntil"), QString::number(nowMs() + qint64(waitFor(count) * 1000)));
}

void AlarmLock::clearTries() {
  prefs().remove(key("Failures"));
  prefs().remove(key("WaitUntil"));
}

void AlarmLock::verify(const QString& code, std::function<void(Verdict)> done) {
  const auto stored = parse(prefs().string(key("Code")));
  std::optional<Verdict> early;
  if (!stored)
    early = Verdict::NoCode;
  else if (m_checking)
    early = Verdict::Busy;
  else if (waitRemaining() > 0)
    early = Verdict::LockedOut;
  else if (!isWellFormed(code))
    early = Verdict::Wrong;  // cannot be the code: not worth a try
  if (early) {
    if (done) done(*early);
    return;
  }
  m_checking = true;
  noteWrong();  // taken back below when the code proves right
  derive(code, stored->salt, stored->iterations, [this, expected = stored->digest, done = std::move(done)](const QByteArray& digest) {
    m_checking = false;
    const bool right = sameBytes(digest, expected);
    if (right) clearTries();
    emit changed();
    if (done) done(right ? Verdict::Right : Verdict::Wrong);
  });
}

void AlarmLock::proveWithPassword(const QString& password, std::function<void(Verdict)> done) {
  // A password is a try like a code: it counts, and waits for the same wait. Otherwise the page
  // of the forgotten code would be a way round the waits.
  if (waitRemaining() > 0 || m_proof) {
    if (done) done(m_proof ? Verdict::Busy : Verdict::LockedOut);
    return;
  }
  auto proven = [this, done = std::move(done)](bool ok) {
    // The reply may be ending in this very call: it goes on a later turn.
    if (m_proof) QMetaObject::invokeMethod(this, [reply = std::exchange(m_proof, nullptr)] {}, Qt::QueuedConnection);
    if (ok) {
      qCInfo(lcApp, "The alarm code was forgotten after the account's password was given");
      removeCode();
    } else {
      emit changed();
    }
    if (done) done(ok ? Verdict::Right : Verdict::Wrong);
  };
  const auto digest = foundation::stringToSha1(password);
  if (password.isEmpty() || !digest.ok() || m_login.isEmpty()) {
    if (done) done(Verdict::Wrong);
    return;
  }
  noteWrong();  // taken back (with the code) once proven
  const auto remembered = foundation::rememberedSignIn(prefs(), foundation::SecretStore::standard());
  if (remembered && remembered->login == m_login) {
    proven(sameBytes(remembered->passwordDigest.toLatin1(), digest.value().toLatin1()));
    return;
  }
  m_proof = BEServiceLogin::getInstance().postLoginWithDigest(m_login, digest.value());
  if (m_proof->isDone()) {
    proven(m_proof->succeeded());
    return;
  }
  connect(m_proof.get(), &Reply::finished, this, [proven] { proven(true); });
  connect(m_proof.get(), &Reply::failed, this, [proven](int) { proven(false); });
}

bool AlarmLock::askAtStart() const { return prefs().boolean(key("AskAtStart")).value_or(false); }

void AlarmLock::setAskAtStart(bool ask) {
  prefs().setBool(key("AskAtStart"), ask);
  emit changed();
}

int AlarmLock::backgroundMinutes() const { return std::max(0, prefs().string(key("BackgroundMinutes")).toInt()); }

void AlarmLock::setBackgroundMinutes(int minutes) {
  prefs().setString(key("BackgroundMinutes"), QString::number(std::max(0, minutes)));
  emit changed();
}

bool AlarmLock::asksAfter(double secondsAway) const {
  const int minutes = backgroundMinutes();
  return minutes > 0 && hasCode() && secondsAway >= minutes * 60.0;
}

}  // namespace backend
