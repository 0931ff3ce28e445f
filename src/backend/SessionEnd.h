#pragma once
// Signing out on this side: the service keeps no state the app could release, so ending a session
// is forgetting it. What was read in it goes from the session store (the screens redraw empty on
// the home's signals), answers still on their way find the session gone and file nothing, the
// response cache goes back to the host's and, when asked, the account's remembered password and
// its stored answers go too. The other accounts and the preferences stay as they are.
#include "foundation/Accounts.h"

namespace backend {

// The account signed in now (user and the service's base URL); invalid before any sign-in.
foundation::Account currentAccount();

struct SignOutOptions {
  bool forgetPassword = true;  // "Se déconnecter"; switching to another account keeps it
  bool eraseData = false;      // and the account's stored answers (its cache folder)
  // Whose session: invalid for the one signed in; a sign-in still under way names its own.
  foundation::Account account = {};
};

// Ends the current session as described above; returns the account it was.
foundation::Account endSession(const SignOutOptions& options);

// Points the services at `baseURL` (nothing when they are there already): the REST layer and
// what is known of the service's reach. The session, if there was one, has ended before.
void switchServer(const QString& baseURL);

// Removes the stored answers of `account` (its own cache folder), never another account's. The
// clients must not be reading that cache: the current account's is released first.
bool eraseStoredAnswers(const foundation::Account& account);

}  // namespace backend
