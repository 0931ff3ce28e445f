#include "backend/SignInGate.h"

#include "backend/BESessionManager.h"
#include "backend/ServiceReachability.h"
#include "backend/StoredAnswers.h"
#include "foundation/Logging.h"
#include "foundation/NotificationCenter.h"

namespace backend {

namespace {
bool g_signInUnderWay = false;
thread_local int t_sentByTheApp = 0;
}  // namespace

SentByTheApp::SentByTheApp() { ++t_sentByTheApp; }
SentByTheApp::~SentByTheApp() { --t_sentByTheApp; }
bool SentByTheApp::active() { return t_sentByTheApp > 0; }

bool refusalIsTold() { return !SentByTheApp::active(); }

bool signInUnderWay() { return g_signInUnderWay; }

void setSignInUnderWay(bool underWay) { g_signInUnderWay = underWay; }

ReplyPtr refusedBeforeSession(const char* name, const std::vector<const char*>& errorNames, bool command) {
  // Reads of the stored answers need no session: they send nothing.
  if (!g_signInUnderWay || !BESessionManager::getInstance().sessionId().empty() || StoredAnswers::readingStored()) return nullptr;
  qCInfo(lcApp) << "Not sent before the sign-in has answered:" << name;
  auto& center = foundation::NotificationCenter::defaultCenter();
  for (const char* error : errorNames) center.post(error);
  if (command && refusalIsTold()) center.post(kServiceUnreachableCommandRefused);
  return Reply::failedNow();
}

}  // namespace backend
