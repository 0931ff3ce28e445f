#include "backend/SessionEnd.h"

#include "backend/BERestConfig.h"
#include "backend/BEServiceLogin.h"
#include "backend/BESessionManager.h"
#include "backend/ServiceReachability.h"
#include "backend/SignInGate.h"
#include "backend/StoredAnswers.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Logging.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestClient.h"
#include "rest/network/RestRequestCache.h"

#include <QDir>

namespace backend {

foundation::Account currentAccount() {
  return {QString::fromStdString(BESessionManager::getInstance().signedInLogin()), BERestConfig::getInstance().baseURL()};
}

foundation::Account endSession(const SignOutOptions& options) {
  const foundation::Account account = options.account.isValid() ? options.account : currentAccount();
  // A sign-in still on its way (a start's, behind the menu) must not bring a session back.
  if (BEServiceLogin::hasInstance() && rest::RestObjectManager::sharedManager())
    rest::RestObjectManager::sharedManager()->cancelRequestsWithDelegate(&BEServiceLogin::getInstance());
  // The session first: an answer that lands from here on is for an earlier session and files
  // nothing, however far it got.
  BESessionManager::getInstance().clear();
  // Nothing known of the stored answers holds any more; the screens' notices hear it.
  if (StoredAnswers::hasInstance()) {
    StoredAnswers::resetInstance();
    StoredAnswers::getInstance();
    foundation::NotificationCenter::defaultCenter().post(kStoredDataDidChange);
  }
  setSignInUnderWay(false);
  // Erased while the clients still hold that cache, so that requests on their way stop storing.
  if (options.eraseData && account.isValid()) eraseStoredAnswers(account);
  // No cache of that user is read or written until someone signs in again.
  BERestConfig::getInstance().useCacheOfUser(QString());
  if (options.forgetPassword)
    foundation::forgetSignInOf(foundation::Preferences::standard(), foundation::SecretStore::standard(), account,
                               BERestConfig::getInstance().configuredBaseURL());
  qCInfo(lcApp) << "Signed out" << (options.forgetPassword ? "(password forgotten)" : "")
                << (options.eraseData ? "(stored answers erased)" : "");
  return account;
}

void switchServer(const QString& baseURL) {
  BERestConfig& rest = BERestConfig::getInstance();
  if (baseURL.isEmpty() || baseURL == rest.baseURL()) return;
  rest.pointAt(baseURL);
  if (ServiceReachability::hasInstance()) ServiceReachability::getInstance().serverChanged();
}

bool eraseStoredAnswers(const foundation::Account& account) {
  if (!account.isValid()) return false;
  const QString path = rest::RestRequestCache::cachePathForUserAndServer(account.user, account.server);
  // A client still using that cache gets another first; requests still on their way hold the old
  // one, which stores nothing more, so that no late answer brings the folder back.
  auto release = [&](rest::RestClient* client) {
    if (!client || !client->requestCache() || client->requestCache()->cachePath() != path) return;
    client->requestCache()->setStoragePolicy(rest::RestRequestCacheStoragePolicyDisabled);
    client->requestCache()->waitForPendingWrites();
    client->setCacheUser(QString());
  };
  BERestConfig& rest = BERestConfig::getInstance();
  const QString user = rest.client() ? rest.client()->cacheUser() : QString();
  release(rest.client().get());
  if (rest.restManager()) release(rest.restManager()->client());
  const bool removed = !QDir(path).exists() || QDir(path).removeRecursively();
  if (!removed) qCWarning(lcApp).noquote() << "The stored answers could not all be removed from" << path;
  // A user still signed in keeps a cache of his own, now empty.
  if (!user.isEmpty() && user == account.user && BESessionManager::getInstance().signedInLogin() == user.toStdString())
    rest.useCacheOfUser(user);
  return removed;
}

}  // namespace backend
