#pragma once
// Signs the user in: the user name and a SHA-1 digest of the password go to "/auth"; the answer
// (session identifier, user, gateway) lands in the session store's `auth`.
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"
#include "backend/records/SendRecords.h"

#include <QString>

class BEServiceLogin : public backend::ServiceBase, public backend::Singleton<BEServiceLogin> {
 public:
  // Posts kSuccessLoginPostLogin once `auth` holds the new answer, else kErrorLoginPostLogin.
  backend::ReplyPtr postLoginWithPassword(const QString& login, const QString& password);
  // The same with the password's digest (40 hex digits), as remembered credentials keep it.
  backend::ReplyPtr postLoginWithDigest(const QString& login, const QString& passwordDigest);

  const std::shared_ptr<SOAuth>& logObj() const { return m_logObj; }

  // Whether the last failed sign-in was the service refusing the credentials (401 or 403, or a
  // password that cannot be right), as opposed to a service that could not be reached or gave an
  // answer that could not be used: only a refusal should make the remembered credentials go.
  bool credentialsRefused() const { return m_credentialsRefused; }


 private:
  friend class backend::Singleton<BEServiceLogin>;
  BEServiceLogin();

  std::shared_ptr<SOAuth> m_logObj;
  bool m_credentialsRefused = false;
};
