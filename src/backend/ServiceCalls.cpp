#include "backend/ServiceCalls.h"

#include "backend/BESessionManager.h"
#include "backend/ProgressOverlay.h"

namespace backend {

namespace {
struct Running {
  std::uint64_t id = 0;
  std::vector<const char*> successNames;
  std::vector<const char*> errorNames;
};

// The call whose start function is running; calls may nest (a start that starts another call).
thread_local Running* tRunning = nullptr;

std::uint64_t nextCallId() {
  static std::uint64_t last = 0;  // main thread only
  return ++last;
}

void showOverlay(bool show) {
  if (const auto& hud = BESessionManager::getInstance().uiHUD()) show ? hud->show(true) : hud->hide(true);
}
}  // namespace

ServiceCalls::~ServiceCalls() { cancelAll(); }

std::uint64_t ServiceCalls::currentCall() { return tRunning ? tRunning->id : 0; }

void ServiceCalls::willPost(const std::vector<const char*>& successNames, const std::vector<const char*>& errorNames) {
  if (!tRunning) return;
  tRunning->successNames = successNames;
  tRunning->errorNames = errorNames;
}

void ServiceCalls::call(const std::function<void()>& start, Handler onSuccess, Handler onError, Overlay overlay) {
  StatusHandler onFailure;
  if (onError) onFailure = [onError = std::move(onError)](int) { onError(); };
  callWithStatus(start, std::move(onSuccess), std::move(onFailure), overlay);
}

void ServiceCalls::callWithStatus(const std::function<void()>& start, Handler onSuccess, StatusHandler onError,
                                  Overlay overlay) {
  begin(start, std::move(onSuccess), std::move(onError), overlay, false);
}

void ServiceCalls::begin(const std::function<void()>& start, Handler onSuccess, StatusHandler onError, Overlay overlay,
                         bool quietWhenUnchanged) {
  Running running;
  running.id = nextCallId();
  const std::uint64_t id = running.id;
  Pending& pending = m_calls[id];
  pending.onSuccess = std::move(onSuccess);
  pending.onError = std::move(onError);
  pending.overlay = overlay == Overlay::Show;
  pending.quietWhenUnchanged = quietWhenUnchanged;
  if (pending.overlay) showOverlay(true);

  // The observers are added before the operation runs: a service may answer synchronously.
  Running* outer = tRunning;
  tRunning = &running;
  start();
  tRunning = outer;

  if (running.successNames.empty() && running.errorNames.empty()) {
    finish(id, false);  // nothing was sent: there will be no answer
    return;
  }
  auto& center = foundation::NotificationCenter::defaultCenter();
  auto it = m_calls.find(id);
  if (it == m_calls.end()) return;
  auto observe = [&](const char* name, bool success) {
    it->second.observations.push_back(center.addObserver(name, [this, id, success](const foundation::Notification& n) {
      const auto* call = n.info<std::uint64_t>(kCallKey);
      const auto* status = n.info<int>(kStatusKey);
      if (call && *call == id) finish(id, success, status ? *status : 0, isUnchanged(n));
    }));
  };
  for (const char* name : running.successNames) observe(name, true);
  for (const char* name : running.errorNames) observe(name, false);
}

bool ServiceCalls::isUnchanged(const foundation::Notification& notification) {
  const auto* unchanged = notification.info<bool>(kUnchangedKey);
  return unchanged && *unchanged;
}

void ServiceCalls::refresh(const std::function<void()>& start, Handler onChanged) {
  begin(start, std::move(onChanged), {}, Overlay::None, true);
}

void ServiceCalls::finish(std::uint64_t id, bool success, int status, bool unchanged) {
  auto it = m_calls.find(id);
  if (it == m_calls.end()) return;
  Pending done = std::move(it->second);
  m_calls.erase(it);
  done.observations.clear();
  if (done.overlay) hideOverlayIfIdle();
  if (success) {
    if (done.onSuccess && !(unchanged && done.quietWhenUnchanged)) done.onSuccess();
  } else if (done.onError) {
    done.onError(status);
  }
}

void ServiceCalls::hideOverlayIfIdle() {
  for (const auto& [id, pending] : m_calls)
    if (pending.overlay) return;
  showOverlay(false);
}

void ServiceCalls::cancelAll() {
  bool hadOverlay = false;
  for (const auto& [id, pending] : m_calls) hadOverlay = hadOverlay || pending.overlay;
  m_calls.clear();
  if (hadOverlay) showOverlay(false);
}

}  // namespace backend
