#pragma once
// State shared between the server object (caller's thread) and its connections (server thread).
#include "core/Dispatcher.h"
#include "core/RequestParser.h"
#include "core/TlsIdentity.h"

#include <QList>
#include <QPointer>

#include <atomic>
#include <deque>
#include <mutex>
#include <optional>

namespace simcore {

class HttpConnection;

struct ServerState {
  Dispatcher* dispatcher = nullptr;
  RequestLimits limits;
  std::optional<TlsIdentity> tls;

  mutable std::mutex mutex;  // guards `recorded`
  QList<HttpRequest> recorded;

  std::atomic<int> accepted{0};
  std::atomic<int> open{0};

  // Connections waiting for a release; touched on the server thread only.
  std::deque<QPointer<HttpConnection>> held;

  void record(const HttpRequest& request) {
    std::lock_guard lock(mutex);
    recorded.append(request);
  }
};

}  // namespace simcore
