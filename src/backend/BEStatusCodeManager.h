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

  // Whether a failure with `statusCode` raises its alert now: one alert per class while a fault
  // lasts. A failure that may keep quiet (a read: a refresh, a screen opening, a camera's next
  // picture) stays quiet when its class failed before and the service has answered nothing right
  // since (serviceAnswered), or failed less than kQuietSeconds ago. A user's own command always
  // says why it failed.
  static bool alertsNow(int statusCode, bool mayKeepQuiet);
  // The service answered a request as it should: a fault seen from now on is news.
  static void serviceAnswered();
  static constexpr double kQuietSeconds = 120.0;
  // Forgets the failures seen (a new start of the service layer).
  static void resetFailures();
};
