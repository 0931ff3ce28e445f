#include "backend/BEServiceLogin.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BESessionManager.h"
#include "backend/SignInGate.h"
#include "foundation/Logging.h"
#include "rest/mapping/RestObjectManager.h"

namespace {
constexpr int kPostLogin = 0;
}

BEServiceLogin::BEServiceLogin() : m_logObj(std::make_shared<SOAuth>()) {
  // Only a 2xx answer carrying a session identifier signs in. Anything else (a gateway code, an
  // answer without a session) is a failed sign-in: the login screen must hear an outcome. A
  // refused sign-in is not a session time-out, so it raises no global alert.
  defineOperation(kPostLogin, {.name = "sign-in",
                               .successNames = {kSuccessLoginPostLogin},
                               .errorNames = {kErrorLoginPostLogin},
                               .expects = {rest::RestExpectedAnswer::Record, ""},
                               .store = [this](const rest::ObjectList& objects, backend::Home::Stamp) {
                                 auto auth = firstOf<VOAuth>(objects);
                                 if (!auth || !auth->sessionId || auth->sessionId->empty()) return false;
                                 auto& store = BESessionManager::getInstance();
                                 const std::string login = m_logObj->login.value_or(std::string());
                                 // Another user must find nothing of the previous user's home, be it
                                 // the last session's or answers stored for a sign-in that was refused.
                                 if ((store.auth() || !store.signedInLogin().empty()) && store.signedInLogin() != login)
                                   store.clear();
                                 backend::setSignInUnderWay(false);
                                 store.setAuth(std::move(auth));
                                 store.setSignedInLogin(login);
                                 BERestConfig::getInstance().useCacheOfUser(QString::fromStdString(login));
                                 return true;
                               },
                               .failureOutcome = [this](int status) {
                                 m_credentialsRefused = status == 401 || status == 403;
                                 return backend::FailureOutcome::Alert;
                               },
                               .alerts = false,
                               .sessionBound = false,
                               .requiresSuccessStatus = true});
}

backend::ReplyPtr BEServiceLogin::postLoginWithPassword(const QString& login, const QString& password) {
  m_credentialsRefused = false;
  auto digest = BERestConfig::stringToSha1(password);
  if (!digest.ok()) {
    m_credentialsRefused = true;
    // Such a password has no digest the service could know; sending anything else would only
    // be refused, so the sign-in fails here.
    qCWarning(lcApp).noquote() << "Sign-in refused before sending:" << QString::fromStdString(digest.error().message);
    post(kErrorLoginPostLogin);
    return backend::Reply::failedNow();
  }
  return postLoginWithDigest(login, digest.value());
}

backend::ReplyPtr BEServiceLogin::postLoginWithDigest(const QString& login, const QString& passwordDigest) {
  m_credentialsRefused = false;
  m_logObj->ihm = "iphone";
  m_logObj->login = login.toStdString();  // as typed: no trimming, no case change
  m_logObj->password = passwordDigest.toStdString();
  return tag(kPostLogin, manager().postObjectMapResponseWithDelegate(m_logObj, mappingForClass(VOAuth::staticClass()), this));
}

