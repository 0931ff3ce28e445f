#include "backend/ServiceCalls.h"

#include "backend/BESessionManager.h"
#include "backend/ProgressOverlay.h"

namespace backend {

namespace {
void showOverlay(bool show) {
  if (const auto& hud = BESessionManager::getInstance().uiHUD()) show ? hud->show(true) : hud->hide(true);
}
}  // namespace

ServiceCalls::~ServiceCalls() { cancelAll(); }

void ServiceCalls::call(ReplyPtr reply, Handler onSuccess, Handler onError, Overlay overlay) {
  StatusHandler onFailure;
  if (onError) onFailure = [onError = std::move(onError)](int) { onError(); };
  callWithStatus(std::move(reply), std::move(onSuccess), std::move(onFailure), overlay);
}

void ServiceCalls::callWithStatus(ReplyPtr reply, Handler onSuccess, StatusHandler onError, Overlay overlay) {
  begin(std::move(reply), Pending{nullptr, std::move(onSuccess), std::move(onError), overlay == Overlay::Show, false});
}

void ServiceCalls::refresh(ReplyPtr reply, Handler onChanged) {
  if (reply) reply->setBackground();
  begin(std::move(reply), Pending{nullptr, std::move(onChanged), {}, false, true});
}

void ServiceCalls::begin(ReplyPtr reply, Pending pending) {
  if (!reply) reply = Reply::failedNow();
  const std::uint64_t id = ++m_last;
  pending.reply = reply;
  if (pending.overlay) showOverlay(true);
  m_calls.emplace(id, std::move(pending));
  if (reply->isDone()) {
    finish(id);  // nothing was sent: there will be no answer
    return;
  }
  QObject::connect(reply.get(), &Reply::finished, &m_context, [this, id] { finish(id); });
  QObject::connect(reply.get(), &Reply::failed, &m_context, [this, id] { finish(id); });
}

void ServiceCalls::finish(std::uint64_t id) {
  auto it = m_calls.find(id);
  if (it == m_calls.end()) return;
  Pending done = std::move(it->second);
  m_calls.erase(it);
  QObject::disconnect(done.reply.get(), nullptr, &m_context, nullptr);
  if (done.overlay) hideOverlayIfIdle();
  if (done.reply->succeeded()) {
    if (done.onSuccess && !(done.reply->isUnchanged() && done.quietWhenUnchanged)) done.onSuccess();
  } else if (done.onError) {
    done.onError(done.reply->status());
  }
}

void ServiceCalls::hideOverlayIfIdle() {
  for (const auto& [id, pending] : m_calls)
    if (pending.overlay) return;
  showOverlay(false);
}

void ServiceCalls::cancelAll() {
  bool hadOverlay = false;
  for (const auto& [id, pending] : m_calls) {
    hadOverlay = hadOverlay || pending.overlay;
    QObject::disconnect(pending.reply.get(), nullptr, &m_context, nullptr);
  }
  m_calls.clear();
  if (hadOverlay) showOverlay(false);
}

}  // namespace backend
