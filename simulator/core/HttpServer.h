#pragma once
// An HTTP/1.1 server (plain or TLS) on its own thread: it parses requests, records them, and
// answers through a dispatcher, applying each answer's socket effect. Because the sockets live on
// the server's thread, a client on the caller's thread may even block in a synchronous send.
#include "core/Dispatcher.h"
#include "core/RequestParser.h"
#include "core/TlsIdentity.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QUrl>

#include <memory>

class QThread;

namespace simcore {

struct ServerState;
class ServerListener;

class HttpServer {
 public:
  explicit HttpServer(Dispatcher* dispatcher);  // not owned; must outlive listening
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Takes effect at the next listen().
  void setLimits(const RequestLimits& limits) { m_limits = limits; }

  // Starts listening (port 0: any free port). With `tls`, every connection is TLS with that
  // identity. Listening again closes the previous listener first.
  bool listen(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0,
              const TlsIdentity* tls = nullptr);
  bool isListening() const { return m_listener != nullptr; }
  bool isTls() const { return m_tls; }
  QString errorString() const { return m_error; }
  quint16 port() const { return m_port; }
  // "http://127.0.0.1:<port>" or "https://..."; empty when not listening.
  QUrl baseUrl() const;
  // Stops listening and drops every connection. Safe to call twice.
  void close();

  // The complete requests received, in arrival order (the latest, within the limits' record
  // bounds).
  QList<HttpRequest> recordedRequests() const;
  qsizetype recordedCount() const;
  void clearRecordedRequests();

  // TCP connections accepted since listen(), and those still open.
  int connectionsAccepted() const;
  int openConnections() const;

  // Answers waiting with SocketEffect::holdUntilReleased on live connections.
  int heldCount() const;
  // Lets the oldest held answers go (count < 0: all); returns how many were released.
  int releaseHeld(int count = -1);

 private:
  template <class F>
  void runOnServerThread(F&& f) const;

  Dispatcher* m_dispatcher;
  RequestLimits m_limits;
  std::shared_ptr<ServerState> m_state;
  std::unique_ptr<QThread> m_thread;
  ServerListener* m_listener = nullptr;  // lives on m_thread
  QHostAddress m_address;
  quint16 m_port = 0;
  bool m_tls = false;
  QString m_error;
};

}  // namespace simcore
