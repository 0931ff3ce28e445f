#include "app/BackgroundSignIn.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BEServiceLogin.h"
#include "backend/SignInGate.h"
#include "foundation/Logging.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"

namespace app {

BackgroundSignIn::BackgroundSignIn(foundation::Account account, QString passwordDigest, std::function<void(Outcome)> done,
                                   QObject* parent)
    : QObject(parent), m_account(std::move(account)), m_done(std::move(done)) {
  backend::setSignInUnderWay(true);
  m_observations.add(kSuccessLoginPostLogin, [this](const foundation::Notification&) { ended(Outcome::SignedIn); });
  m_observations.add(kErrorLoginPostLogin, [this](const foundation::Notification&) {
    ended(BEServiceLogin::getInstance().credentialsRefused() ? Outcome::Refused : Outcome::Unreachable);
  });
  m_digest = std::move(passwordDigest);
}

void BackgroundSignIn::send() {
  if (m_sent || !m_underWay) return;
  m_sent = true;
  BEServiceLogin::getInstance().postLoginWithDigest(m_account.user, m_digest);
}

BackgroundSignIn::~BackgroundSignIn() {
  if (m_underWay) backend::setSignInUnderWay(false);
}

void BackgroundSignIn::ended(Outcome outcome) {
  if (!m_underWay) return;
  m_underWay = false;
  m_observations.clear();
  backend::setSignInUnderWay(false);
  foundation::Preferences& preferences = foundation::Preferences::standard();
  const QString server = BERestConfig::getInstance().configuredBaseURL();
  if (outcome == Outcome::SignedIn) {
    foundation::noteAccountUsed(preferences, m_account);
  } else if (outcome == Outcome::Refused) {
    qCInfo(lcApp, "The remembered password was refused; the login is shown");
    foundation::forgetSignInOf(preferences, foundation::SecretStore::standard(), m_account, server);
  }
  // Not inside the login service's delivery: the listener may open the login popup.
  QMetaObject::invokeMethod(this, [this, outcome] { if (m_done) m_done(outcome); }, Qt::QueuedConnection);
}

}  // namespace app
