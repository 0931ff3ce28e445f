#include "core/HttpServer.h"

#include "core/HttpConnection.h"
#include "core/ServerState.h"

#include <QMetaObject>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <condition_variable>
#include <unistd.h>
#include <mutex>

namespace simcore {

// The listening socket, on the server thread; accepted connections are its children.
class ServerListener : public QTcpServer {
 public:
  explicit ServerListener(std::shared_ptr<ServerState> state) : m_state(std::move(state)) {}

  void shutdown() {
    QTcpServer::close();
    for (HttpConnection* connection : findChildren<HttpConnection*>(Qt::FindDirectChildrenOnly)) {
      connection->abort();
      delete connection;
    }
    m_state->held.clear();
  }

 protected:
  void incomingConnection(qintptr descriptor) override {
    if (m_state->open.load() >= m_state->limits.maxConnections) {
      ::close(int(descriptor));
      return;
    }
    if (m_state->tls) {
      auto* socket = new QSslSocket;
      if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
      }
      QSslConfiguration config = QSslConfiguration::defaultConfiguration();
      config.setLocalCertificate(m_state->tls->certificate);
      config.setPrivateKey(m_state->tls->key);
      config.setPeerVerifyMode(QSslSocket::VerifyNone);
      socket->setSslConfiguration(config);
      new HttpConnection(socket, m_state, this);
      socket->startServerEncryption();
    } else {
      auto* socket = new QTcpSocket;
      if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
      }
      new HttpConnection(socket, m_state, this);
    }
  }

 private:
  std::shared_ptr<ServerState> m_state;
};

HttpServer::HttpServer(Dispatcher* dispatcher) : m_dispatcher(dispatcher) {}

HttpServer::~HttpServer() { close(); }

template <class F>
void HttpServer::runOnServerThread(F&& f) const {
  if (!m_listener) return;
  if (QThread::currentThread() == m_thread.get()) {
    f();
    return;
  }
  // A plain mutex and condition variable (rather than a blocking queued call) make the hand-over
  // visible to the thread sanitizer.
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  QMetaObject::invokeMethod(
      m_listener,
      [&]() {
        f();
        std::lock_guard lock(mutex);
        done = true;
        finished.notify_one();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(mutex);
  finished.wait(lock, [&] { return done; });
}

bool HttpServer::listen(const QHostAddress& address, quint16 port, const TlsIdentity* tls) {
  close();
  m_error.clear();
  if (tls && !QSslSocket::supportsSsl()) {
    m_error = QStringLiteral("TLS is not available in this Qt build");
    return false;
  }
  m_state = std::make_shared<ServerState>();
  m_state->dispatcher = m_dispatcher;
  m_state->limits = m_limits;
  if (tls) m_state->tls = *tls;

  m_thread = std::make_unique<QThread>();
  m_thread->setObjectName(QStringLiteral("simcore-server"));
  m_thread->start();
  m_listener = new ServerListener(m_state);
  m_listener->moveToThread(m_thread.get());

  bool ok = false;
  runOnServerThread([&]() {
    // A burst of connects (TLS clients open several at once) must not overflow the queue of
    // connections not yet accepted: a lost SYN costs the client a second.
    m_listener->setListenBacklogSize(1024);
    ok = m_listener->listen(address, port);
    m_port = ok ? m_listener->serverPort() : 0;
    if (!ok) m_error = m_listener->errorString();
  });
  if (!ok) {
    const QString error = m_error;
    close();
    m_error = error;
    return false;
  }
  m_address = address;
  m_tls = tls != nullptr;
  return true;
}

QUrl HttpServer::baseUrl() const {
  if (!m_listener) return {};
  QUrl url;
  url.setScheme(m_tls ? QStringLiteral("https") : QStringLiteral("http"));
  QHostAddress host = m_address;
  if (host == QHostAddress::Any || host == QHostAddress::AnyIPv4) host = QHostAddress::LocalHost;
  if (host == QHostAddress::AnyIPv6) host = QHostAddress::LocalHostIPv6;
  url.setHost(host.toString());
  url.setPort(m_port);
  return url;
}

void HttpServer::close() {
  if (m_listener) {
    ServerListener* listener = m_listener;
    runOnServerThread([listener]() {
      listener->shutdown();
      delete listener;
    });
    m_listener = nullptr;
  }
  if (m_thread) {
    m_thread->quit();
    m_thread->wait();
    m_thread.reset();
  }
  m_port = 0;
  m_tls = false;
}

QList<HttpRequest> HttpServer::recordedRequests() const {
  if (!m_state) return {};
  std::lock_guard lock(m_state->mutex);
  return QList<HttpRequest>(m_state->recorded.begin(), m_state->recorded.end());
}

qsizetype HttpServer::recordedCount() const {
  if (!m_state) return 0;
  std::lock_guard lock(m_state->mutex);
  return qsizetype(m_state->recorded.size());
}

void HttpServer::clearRecordedRequests() {
  if (!m_state) return;
  std::lock_guard lock(m_state->mutex);
  m_state->recorded.clear();
  m_state->recordedBytes = 0;
}

int HttpServer::connectionsAccepted() const { return m_state ? m_state->accepted.load() : 0; }
int HttpServer::openConnections() const { return m_state ? m_state->open.load() : 0; }

int HttpServer::heldCount() const {
  int count = 0;
  runOnServerThread([&]() {
    for (const auto& connection : m_state->held)
      if (connection && connection->isHolding()) ++count;
  });
  return count;
}

int HttpServer::releaseHeld(int count) {
  int released = 0;
  runOnServerThread([&]() {
    auto& held = m_state->held;
    while (!held.empty() && (count < 0 || released < count)) {
      QPointer<HttpConnection> connection = held.front();
      held.pop_front();
      if (!connection || !connection->isHolding()) continue;
      connection->releaseHold();
      ++released;
    }
  });
  return released;
}

}  // namespace simcore
