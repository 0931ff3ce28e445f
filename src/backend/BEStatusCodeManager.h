#pragma once
// Turns the HTTP status of a failed request into one notification per failure class, so the
// application can raise one alert per class without knowing which service failed.
#include "foundation/Result.h"

namespace rest {
class RestRequest;
}

class BEStatusCodeManager {
 public:
  // Posts at most one notification for the status of the request's response (0 when no answer
  // arrived, which posts nothing). The error is not consulted: the status alone decides.
  static void errorWithOLWithError(const rest::RestRequest* loader, const foundation::Error& error);

  // The notification for a status code, or nullptr when the code posts nothing.
  static const char* notificationNameForStatusCode(int statusCode);

  // Whether a failure with `statusCode` raises its alert now. A failure of a request the app sent
  // by itself (`background`: a refresh, a camera's next picture) stays quiet while its class failed
  // less than kQuietSeconds ago, and every failure of the class extends that quiet: one alert per
  // class while a fault lasts. A user's own command always says why it failed.
  static bool alertsNow(int statusCode, bool background);
  static constexpr double kQuietSeconds = 120.0;
  // Forgets the failures seen (a new start of the service layer).
  static void resetFailures();
};
