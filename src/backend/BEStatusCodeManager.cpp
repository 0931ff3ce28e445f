#include "backend/BEStatusCodeManager.h"

#include "backend/BENotifications.h"
#include "foundation/Clock.h"
#include "foundation/NotificationCenter.h"
#include "rest/network/RestRequest.h"

#include <map>
#include <string>

const char* BEStatusCodeManager::notificationNameForStatusCode(int code) {
  // The gateway's own codes come first: they lie above every HTTP class.
  if (code >= 600) {
    if (code == 620) return kNotification620PrivacyMode;
    if (code == 615) return kNotification615NotEnoughCredit;
    if (code == 600) return kNotification600GatewayOff;
    return kNotification6xxVyrError;
  }
  if (code >= 400 && code < 500) {
    switch (code) {
      case 400: return kNotification400BadRequest;
      case 401: return kNotification401Unauthorized;
      case 403: return kNotification403Forbidden;
      case 404: return kNotification404NotFound;
      case 405: return kNotification405MethodNotAllowed;
      case 415: return kNotification415UnsupportedMediaType;
      default: return kNotification4xxCustomerError;
    }
  }
  if (code >= 500) return kNotification5xxServerError;
  if (code >= 300) return kNotification3xxRedirection;
  return nullptr;  // informational, success, or no answer at all: nothing to alert about
}

namespace {
// Each class of failure seen: when it was last seen, on the scheduler's monotonic clock, and whether
// the service has answered a request since. Main thread only.
struct ClassFailure {
  qint64 lastMs = 0;
  bool answeredSince = false;
};
std::map<std::string, ClassFailure>& lastFailures() {
  static std::map<std::string, ClassFailure> failures;
  return failures;
}
}  // namespace

bool BEStatusCodeManager::alertsNow(int statusCode, bool mayKeepQuiet) {
  const char* name = notificationNameForStatusCode(statusCode);
  // A lost session is not a fault that lasts: each one leads to a sign-in again (the application
  // shows one time-out at a time by itself).
  if (!name || statusCode == 403) return true;
  const qint64 now = foundation::scheduler().monotonicMs();
  auto [it, first] = lastFailures().try_emplace(name, ClassFailure{now, false});
  ClassFailure& failure = it->second;
  // The fault still lasts while nothing has come back right since it was last seen, however
  // seldom the app asks; and a fault seen again soon after an answer is the same flickering fault.
  const bool lasts = !first && (!failure.answeredSince || now - failure.lastMs < qint64(kQuietSeconds * 1000));
  failure = ClassFailure{now, false};
  return !(lasts && mayKeepQuiet);
}

void BEStatusCodeManager::serviceAnswered() {
  for (auto& [name, failure] : lastFailures()) failure.answeredSince = true;
}

void BEStatusCodeManager::resetFailures() { lastFailures().clear(); }

void BEStatusCodeManager::errorWithOLWithError(const rest::RestRequest* loader, const foundation::Error& /*error*/) {
  const int code = loader && loader->response() ? loader->response()->statusCode() : 0;
  if (const char* name = notificationNameForStatusCode(code))
    foundation::NotificationCenter::defaultCenter().post(name);
}
