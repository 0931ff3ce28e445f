#pragma once
// A bare TCP server on a free loopback port that plays one hostile behaviour byte by byte (what
// the server core, a correct server, would never write): endless bodies, too many header fields,
// redirects elsewhere. Each connection is handed to `serve` on the server's own thread, one at a
// time, with a flag that turns true when the server is being destroyed; `serve` must return soon
// after. Loopback only, bounded by the test that uses it.
#include <QByteArray>

#include <atomic>
#include <functional>
#include <thread>

namespace tbtest {

class RawServer {
 public:
  using Serve = std::function<void(int socket, const std::atomic<bool>& stopping)>;

  explicit RawServer(Serve serve);
  ~RawServer();
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;

  quint16 port() const { return m_port; }
  int connectionsServed() const { return m_served.load(); }

  // Helpers for `serve`: reads until the end of a request head (or until it cannot); writes all
  // of `bytes` unless the peer goes or the server stops.
  static QByteArray readHead(int socket);
  static bool writeAll(int socket, const QByteArray& bytes, const std::atomic<bool>& stopping);

 private:
  void run();

  Serve m_serve;
  int m_listener = -1;
  quint16 m_port = 0;
  std::atomic<bool> m_stopping{false};
  std::atomic<int> m_served{0};
  std::thread m_thread;
};

}  // namespace tbtest
