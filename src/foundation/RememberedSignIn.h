#pragma once
// The credentials a user asked to be remembered: the user name and the auto-login flag in the
// preferences, and in the secret store only what the sign-in sends, the password's SHA-1 digest,
// never the password itself. They are written after the service accepted them, never before.
#include <QString>

#include <optional>

namespace foundation {

class Preferences;
class SecretStore;

// Key of the digest in the secret store. kPasswordPref is where earlier versions kept the password.
inline constexpr const char* kPasswordDigestPref = "VyrPasswordDigestPref";

struct RememberedSignIn {
  QString login;
  QString passwordDigest;  // 40 lower-case hex digits
};

// What is remembered, if anything (the secret store is asked only when the preferences say so). A
// clear password an earlier version left is read this once and rewritten as its digest.
std::optional<RememberedSignIn> rememberedSignIn(Preferences& preferences, SecretStore& secrets);
// False (and nothing remembered) when the secret store cannot keep the digest.
bool rememberSignIn(Preferences& preferences, SecretStore& secrets, const RememberedSignIn& signIn);
void forgetSignIn(Preferences& preferences, SecretStore& secrets);

}  // namespace foundation
