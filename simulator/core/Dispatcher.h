#pragma once
#include "core/HttpMessage.h"

#include <deque>
#include <functional>
#include <mutex>

namespace simcore {

// Turns a request into an answer. Called on the server's own thread, one request at a time per
// connection (several connections may call it concurrently only if the implementation is shared
// between servers).
class Dispatcher {
 public:
  virtual ~Dispatcher();
  virtual HttpResponse dispatch(const HttpRequest& request) = 0;
};

// Answers through a function; handy for small fixed behaviours.
class FunctionDispatcher : public Dispatcher {
 public:
  explicit FunctionDispatcher(std::function<HttpResponse(const HttpRequest&)> handler);
  HttpResponse dispatch(const HttpRequest& request) override;

 private:
  std::function<HttpResponse(const HttpRequest&)> m_handler;
};

// Replays scripted answers in order, one per request, then the fallback answer. Thread-safe:
// a test scripts on its own thread while the server answers on another.
class ScriptedDispatcher : public Dispatcher {
 public:
  ScriptedDispatcher();

  void enqueue(HttpResponse response);
  void enqueue(int status, QByteArray body = {}, HeaderList headers = {}, SocketEffect effect = {});
  // The answer once the script has run out (404 "no scripted answer" by default).
  void setFallback(HttpResponse response);
  std::size_t pendingCount() const;
  void clear();

  HttpResponse dispatch(const HttpRequest& request) override;

 private:
  mutable std::mutex m_mutex;
  std::deque<HttpResponse> m_script;
  HttpResponse m_fallback;
};

}  // namespace simcore
