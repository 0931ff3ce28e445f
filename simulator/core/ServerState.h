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

  mutable std::mutex mutex;  // guards `recorded` and `recordedBytes`
  std::deque<HttpRequest> recorded;
  qint64 recordedBytes = 0;

  std::atomic<int> accepted{0};
  std::atomic<int> open{0};
  // Request bytes held by all connections (touched on the server thread only).
  qint64 bufferedBytes = 0;

  // Connections waiting for a release; touched on the server thread only.
  std::deque<QPointer<HttpConnection>> held;

  static qint64 footprint(const HttpRequest& r) {
    qint64 bytes = r.method.size() + r.target.size() + r.path.size() + r.query.size() + r.body.size();
    for (const auto& [name, value] : r.headers) bytes += name.size() + value.size();
    return bytes;
  }

  // Keeps the request, forgetting the oldest beyond the record's bounds.
  void record(const HttpRequest& request) {
    std::lock_guard lock(mutex);
    recorded.push_back(request);
    recordedBytes += footprint(request);
    while (!recorded.empty() && (qsizetype(recorded.size()) > limits.maxRecordedRequests || recordedBytes > limits.maxRecordedBytes)) {
      recordedBytes -= footprint(recorded.front());
      recorded.pop_front();
    }
  }
};

}  // namespace simcore
