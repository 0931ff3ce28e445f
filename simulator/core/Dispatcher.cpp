#include "core/Dispatcher.h"

namespace simcore {

Dispatcher::~Dispatcher() = default;

FunctionDispatcher::FunctionDispatcher(std::function<HttpResponse(const HttpRequest&)> handler)
    : m_handler(std::move(handler)) {}

HttpResponse FunctionDispatcher::dispatch(const HttpRequest& request) { return m_handler(request); }

ScriptedDispatcher::ScriptedDispatcher() : m_fallback(HttpResponse::text(404, "no scripted answer")) {}

void ScriptedDispatcher::enqueue(HttpResponse response) {
  std::lock_guard lock(m_mutex);
  m_script.push_back(std::move(response));
}

void ScriptedDispatcher::enqueue(int status, QByteArray body, HeaderList headers, SocketEffect effect) {
  HttpResponse r;
  r.status = status;
  r.body = std::move(body);
  r.headers = std::move(headers);
  r.effect = effect;
  enqueue(std::move(r));
}

void ScriptedDispatcher::setFallback(HttpResponse response) {
  std::lock_guard lock(m_mutex);
  m_fallback = std::move(response);
}

std::size_t ScriptedDispatcher::pendingCount() const {
  std::lock_guard lock(m_mutex);
  return m_script.size();
}

void ScriptedDispatcher::clear() {
  std::lock_guard lock(m_mutex);
  m_script.clear();
}

HttpResponse ScriptedDispatcher::dispatch(const HttpRequest&) {
  std::lock_guard lock(m_mutex);
  if (m_script.empty()) return m_fallback;
  HttpResponse next = std::move(m_script.front());
  m_script.pop_front();
  return next;
}

}  // namespace simcore
