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
// When each class of failure was last seen, on the scheduler's monotonic clock. Main thread only.
std::map<std::string, qint64>& lastFailures() {
  static std::map<std::string, qint64> failures;
  return failures;
}
}  // namespace

bool BEStatusCodeManager::alertsNow(int statusCode, bool background) {
  const char* name = notificationNameForStatusCode(statusCode);
  if (!name) return true;
  const qint64 now = foundation::scheduler().monotonicMs();
  auto [it, first] = lastFailures().try_emplace(name, now);
  const bool quiet = !first && now - it->second < qint64(kQuietSeconds * 1000);
  it->second = now;
  return !(quiet && background);
}

void BEStatusCodeManager::resetFailures() { lastFailures().clear(); }

void BEStatusCodeManager::errorWithOLWithError(const rest::RestRequest* loader, const foundation::Error& /*error*/) {
  const int code = loader && loader->response() ? loader->response()->statusCode() : 0;
  if (const char* name = notificationNameForStatusCode(code))
    foundation::NotificationCenter::defaultCenter().post(name);
}
