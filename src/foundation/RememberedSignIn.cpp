#include "foundation/RememberedSignIn.h"

#include "foundation/Digest.h"
#include "foundation/Logging.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"

namespace foundation {

std::optional<RememberedSignIn> rememberedSignIn(Preferences& preferences, SecretStore& secrets) {
  if (!preferences.boolean(kAutoLogPref).value_or(false)) return std::nullopt;
  RememberedSignIn remembered{preferences.string(kLoginPref), secrets.read(kPasswordDigestPref)};
  if (remembered.passwordDigest.isEmpty()) {
    // Where a keychain answers now, a run without one may have left it in the preferences file.
    QString clear = secrets.read(kPasswordPref);
    if (clear.isEmpty()) clear = preferences.string(kPasswordPref);
    if (!clear.isEmpty()) {
      secrets.remove(kPasswordPref);
      preferences.remove(kPasswordPref);
      const auto digest = stringToSha1(clear);
      if (digest.ok() && secrets.write(kPasswordDigestPref, digest.value())) {
        remembered.passwordDigest = digest.value();
        qCInfo(lcApp, "The remembered password was rewritten as its digest");
      }
    }
  }
  if (remembered.login.isEmpty() || remembered.passwordDigest.isEmpty()) return std::nullopt;
  return remembered;
}

bool rememberSignIn(Preferences& preferences, SecretStore& secrets, const RememberedSignIn& signIn) {
  if (signIn.login.isEmpty() || signIn.passwordDigest.isEmpty() || !secrets.write(kPasswordDigestPref, signIn.passwordDigest)) {
    forgetSignIn(preferences, secrets);
    return false;
  }
  preferences.setBool(kAutoLogPref, true);
  preferences.setString(kLoginPref, signIn.login);
  return true;
}

void forgetSignIn(Preferences& preferences, SecretStore& secrets) {
  preferences.remove(kAutoLogPref);
  preferences.setString(kLoginPref, QString());
  secrets.remove(kPasswordDigestPref);
  secrets.remove(kPasswordPref);
}

}  // namespace foundation
