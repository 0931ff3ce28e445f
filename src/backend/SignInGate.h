#pragma once
// A start with remembered credentials shows the menu while their sign-in is under way. Until it has
// answered there is no session to send, so the services send nothing that needs one: a read fails
// at once without a word (the screen shows what the store holds and reads again once signed in), a
// command as while the service cannot be reached (one alert).
#include "backend/Reply.h"

#include <vector>

namespace backend {

bool signInUnderWay();
void setSignInUnderWay(bool underWay);

// For the services: a reply that has already failed when the operation `name` (with those error
// notifications) must not go now, else null.
ReplyPtr refusedBeforeSession(const char* name, const std::vector<const char*>& errorNames, bool command);

// While one lives on this thread, the commands sent are the app's own doing (a camera's picture
// session, the end of a video), not the user's: refused because the service cannot be reached or
// before the sign-in has answered, they raise no alert. The user has nothing to try again, and a
// screen that opens them at every refresh would otherwise repeat the alert all through an outage.
class SentByTheApp {
 public:
  SentByTheApp();
  ~SentByTheApp();
  SentByTheApp(const SentByTheApp&) = delete;
  SentByTheApp& operator=(const SentByTheApp&) = delete;
  static bool active();
};

// Whether a command refused now must say so to the user (kServiceUnreachableCommandRefused).
bool refusalIsTold();

}  // namespace backend
