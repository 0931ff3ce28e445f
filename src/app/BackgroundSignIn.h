#pragma once
// The sign-in of a start with remembered credentials, made behind the menu: the menu is usable at
// once while the remembered digest goes to the service, and the screens open on what that
// account's last run stored (backend::StoredAnswers) as soon as it is in. Its outcome decides whether the user sees the login at all: only
// credentials the service refused, or a service that could not be reached, bring it up.
#include "foundation/Accounts.h"
#include "foundation/NotificationCenter.h"

#include <QObject>

#include <functional>

namespace app {

class BackgroundSignIn : public QObject {
  Q_OBJECT
 public:
  enum class Outcome {
    SignedIn,
    Refused,      // the service said no: the remembered password went
    Unreachable,  // no answer, or none that could be used: the credentials stay
  };

  // `done` hears the outcome once, on the main thread. Until it is sent, nothing that needs a
  // session goes either (backend::SignInGate).
  BackgroundSignIn(foundation::Account account, QString passwordDigest, std::function<void(Outcome)> done,
                   QObject* parent = nullptr);
  ~BackgroundSignIn() override;

  // Sends the sign-in (once): after the window's first frame, which need not wait for the
  // network's set-up (its libraries, TLS).
  void send();

  const foundation::Account& account() const { return m_account; }
  bool isUnderWay() const { return m_underWay; }

 private:
  void ended(Outcome outcome);

  foundation::Account m_account;
  QString m_digest;
  std::function<void(Outcome)> m_done;
  foundation::Observations m_observations;
  bool m_underWay = true;
  bool m_sent = false;
};

}  // namespace app
