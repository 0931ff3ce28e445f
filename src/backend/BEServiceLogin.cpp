#include "backend/BEServiceLogin.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BESessionManager.h"
#include "foundation/Logging.h"
#include "rest/mapping/RestObjectManager.h"

namespace {
const QString kAuthPath = QStringLiteral("/auth");
}

BEServiceLogin::BEServiceLogin() : m_logObj(std::make_shared<SOAuth>()) {}

void BEServiceLogin::postLoginWithPassword(const QString& login, const QString& password) {
  auto digest = BERestConfig::stringToSha1(password);
  if (!digest.ok()) {
    // Such a password has no digest the service could know; sending anything else would only
    // be refused, so the sign-in fails here.
    qCWarning(lcApp).noquote() << "Sign-in refused before sending:" << QString::fromStdString(digest.error().message);
    post(kErrorLoginPostLogin);
    return;
  }
  m_logObj->ihm = "iphone";
  m_logObj->login = login.toStdString();  // as typed: no trimming, no case change
  m_logObj->password = digest.value().toStdString();
  manager().postObjectMapResponseWithDelegate(m_logObj, mappingForClass(VOAuth::staticClass()), this);
}

void BEServiceLogin::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  if (!loader->wasSentToResourcePath(kAuthPath)) return;
  // Only a 2xx answer carrying a session identifier signs in. Anything else (a gateway code with
  // a JSON body, an empty answer) is a failed sign-in: the login screen must hear an outcome.
  auto auth = firstOf<VOAuth>(objects);
  const bool successful = loader->response() && loader->response()->isSuccessful();
  if (!successful || !auth || !auth->sessionId) {
    qCWarning(lcApp) << "Sign-in answer without a session (status" << statusCode(loader) << ")";
    post(kErrorLoginPostLogin);
    return;
  }
  BESessionManager::getInstance().setAuth(std::move(auth));
  post(kSuccessLoginPostLogin);
}

void BEServiceLogin::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& /*error*/) {
  // A refused sign-in is not a session time-out: no status-code dispatch, hence no global alert.
  if (loader->wasSentToResourcePath(kAuthPath)) post(kErrorLoginPostLogin);
}
