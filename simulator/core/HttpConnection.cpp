#include "core/HttpConnection.h"

#include "core/RequestParser.h"
#include "core/ServerState.h"

#include <QTcpSocket>
#include <QTimer>

namespace simcore {

namespace {
// Pipelined requests kept waiting before the connection stops reading from its socket (however
// small they are: each costs its bookkeeping).
constexpr std::size_t kMaxPending = 256;

bool statusHasNoBody(int status) { return (status >= 100 && status < 200) || status == 204 || status == 304; }
}  // namespace

HttpConnection::HttpConnection(QTcpSocket* socket, std::shared_ptr<ServerState> state, QObject* parent)
    : QObject(parent), m_socket(socket), m_state(std::move(state)), m_parser(m_state->limits) {
  m_socket->setParent(this);
  // The socket reads no further ahead than this while requests wait: the client is slowed down
  // by TCP itself.
  m_socket->setReadBufferSize(std::max<qint64>(64 * 1024, m_state->limits.maxHeaderBytes));
  m_timer = new QTimer(this);
  m_timer->setSingleShot(true);
  connect(m_timer, &QTimer::timeout, this, [this] {
    if (!m_gone) abort();
  });
  // The handshake (TLS) and the first request's head count from now.
  m_headTimerRunning = true;
  m_timer->start(m_state->limits.headTimeoutMs);
  // Without it, keep-alive answers wait ~40 ms for the peer's delayed ACK.
  m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  ++m_state->accepted;
  ++m_state->open;
  connect(m_socket, &QTcpSocket::readyRead, this, &HttpConnection::onReadyRead);
  connect(m_socket, &QTcpSocket::disconnected, this, &HttpConnection::onGone);
  connect(m_socket, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
    // A reset, a refused TLS handshake or any other error ends the connection.
    if (m_socket->state() != QAbstractSocket::ConnectedState) onGone();
    else if (m_socket->error() != QAbstractSocket::RemoteHostClosedError) m_socket->abort();
  });
}

HttpConnection::~HttpConnection() {
  if (!m_gone) --m_state->open;
  m_state->bufferedBytes -= m_counted;
}

void HttpConnection::account() {
  const qint64 held = m_gone ? 0 : m_buffer.size() + m_pendingBytes;
  m_state->bufferedBytes += held - m_counted;
  m_counted = held;
}

bool HttpConnection::backlogFull() const {
  return m_pending.size() >= kMaxPending ||
         m_pendingBytes + m_socket->bytesToWrite() > m_state->limits.maxConnectionBytes;
}

void HttpConnection::onGone() {
  if (m_gone) return;
  m_gone = true;
  account();
  --m_state->open;
  if (m_throttle) m_throttle->stop();
  deleteLater();
}

void HttpConnection::abort() {
  m_socket->abort();
  onGone();
}

void HttpConnection::watchClient() {
  if (m_gone || m_closing) return;
  // While the server answers (or plays an effect) the client is not the one to wait for.
  if (m_busy || !m_pending.empty()) {
    m_timer->stop();
    m_headTimerRunning = false;
    return;
  }
  if (m_buffer.isEmpty()) {
    m_headTimerRunning = false;
    m_timer->start(m_state->limits.idleTimeoutMs);
    return;
  }
  // Part of a request: its head has the head timeout from its first byte on, however slowly it
  // comes; once the head is in, the body must keep coming.
  if (m_parser.inHead()) {
    if (!m_headTimerRunning) {
      m_headTimerRunning = true;
      m_timer->start(m_state->limits.headTimeoutMs);
    }
    return;
  }
  m_headTimerRunning = false;
  m_timer->start(m_state->limits.idleTimeoutMs);
}

void HttpConnection::refuse(int status, const QByteArray& message) {
  Pending refusal;
  refusal.keepAlive = false;
  refusal.error = HttpResponse::text(status, message + "\n");
  m_pending.push_back(std::move(refusal));
  m_buffer.clear();
  m_readingStopped = true;
}

void HttpConnection::onReadyRead() {
  if (m_gone || m_readingStopped) return;
  if (backlogFull()) return;  // resumed when the backlog drains (processNext)
  m_deferred = false;
  m_buffer.append(m_socket->readAll());
  account();
  if (m_state->bufferedBytes > m_state->limits.maxBufferedBytes) refuse(503, "the server holds too many requests");
  while (!m_buffer.isEmpty() && !m_readingStopped && !backlogFull()) {
    ParseResult parsed = m_parser.parse(m_buffer);
    if (parsed.status == ParseResult::Status::NeedMore) break;
    if (parsed.status == ParseResult::Status::Error) {
      refuse(parsed.errorStatus, parsed.errorMessage);
      break;
    }
    m_buffer.remove(0, parsed.consumed);
    m_parser.reset();
    m_state->record(parsed.request);
    m_pending.push_back(Pending{std::move(parsed.request), parsed.keepAlive, std::nullopt, parsed.consumed});
    m_pendingBytes += parsed.consumed;
    // Whatever follows a "Connection: close" request is never answered.
    if (!parsed.keepAlive) {
      m_buffer.clear();
      m_readingStopped = true;
    }
  }
  // Complete requests may still wait in the buffer for room in the backlog.
  m_deferred = !m_readingStopped && !m_buffer.isEmpty() && backlogFull();
  account();
  processNext();
  watchClient();
}

void HttpConnection::processNext() {
  if (m_gone || m_busy || m_closing || m_stalled) return;
  // A client that does not read its answers gets no more of them until it does.
  if (m_socket->bytesToWrite() > m_state->limits.maxConnectionBytes) {
    if (!m_waitingForWrites) {
      m_waitingForWrites = true;
      connect(m_socket, &QTcpSocket::bytesWritten, this, [this] {
        if (m_socket->bytesToWrite() > m_state->limits.maxConnectionBytes) return;
        m_waitingForWrites = false;
        disconnect(m_socket, &QTcpSocket::bytesWritten, this, nullptr);
        processNext();
      });
    }
    return;
  }
  // Reading that waited for the backlog to drain goes on, from the event loop: a long pipelined
  // stream must not deepen the stack.
  if (!m_readingStopped && !m_resumeQueued && (m_deferred || m_socket->bytesAvailable() > 0) && !backlogFull()) {
    m_resumeQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          m_resumeQueued = false;
          onReadyRead();
        },
        Qt::QueuedConnection);
  }
  if (m_pending.empty()) {
    watchClient();
    return;
  }
  Pending next = std::move(m_pending.front());
  m_pending.pop_front();
  m_pendingBytes -= next.bytes;
  account();
  m_busy = true;
  startAnswer(next);
}

void HttpConnection::startAnswer(const Pending& pending) {
  m_headOnly = pending.request.method == "HEAD";
  m_keepAlive = pending.keepAlive;
  m_bodySent = 0;
  if (pending.error) {
    m_answer = *pending.error;
  } else {
    m_answer = m_state->dispatcher ? m_state->dispatcher->dispatch(pending.request)
                                   : HttpResponse::text(500, "no dispatcher\n");
  }
  const SocketEffect& effect = m_answer.effect;
  if (effect.closeBeforeAnswering) {
    closeGracefully();
    return;
  }
  if (effect.stallForever) {
    m_stalled = true;
    return;
  }
  if (effect.holdUntilReleased) {
    m_holding = true;
    m_state->held.push_back(this);
    return;
  }
  afterHold();
}

void HttpConnection::releaseHold() {
  if (!m_holding || m_gone) return;
  m_holding = false;
  afterHold();
}

void HttpConnection::afterHold() {
  const int delay = m_answer.effect.delayBeforeHeadersMs;
  if (delay > 0) {
    QTimer::singleShot(delay, this, [this]() {
      if (m_gone) return;
      writeHead();
      writeBody();
    });
    return;
  }
  writeHead();
  writeBody();
}

void HttpConnection::writeHead() {
  const bool noBody = statusHasNoBody(m_answer.status);
  if (noBody) m_answer.body.clear();
  QByteArray head;
  head.reserve(256);
  head += "HTTP/1.1 " + QByteArray::number(m_answer.status) + ' ' + reasonPhrase(m_answer.status) + "\r\n";
  for (const auto& [name, value] : m_answer.headers) {
    const QByteArray lower = name.toLower();
    if (lower == "content-length" || lower == "connection" || lower == "transfer-encoding") continue;
    head += name + ": " + value + "\r\n";
  }
  if (!noBody) head += "Content-Length: " + QByteArray::number(m_answer.body.size() + m_answer.effect.extraContentLength) + "\r\n";
  if (!m_keepAlive) head += "Connection: close\r\n";
  head += "\r\n";
  m_socket->write(head);
}

void HttpConnection::writeBody() {
  const SocketEffect& effect = m_answer.effect;
  if (m_headOnly || m_answer.body.isEmpty()) {
    endOfAnswer();
    return;
  }
  if (effect.closeAfterHalfBody) {
    m_socket->write(m_answer.body.left(m_answer.body.size() / 2));
    closeGracefully();
    return;
  }
  if (effect.throttleBytes > 0) {
    if (!m_throttle) {
      m_throttle = new QTimer(this);
      connect(m_throttle, &QTimer::timeout, this, &HttpConnection::throttleTick);
    }
    m_throttle->start(std::max(1, effect.throttlePeriodMs));
    throttleTick();
    return;
  }
  m_socket->write(m_answer.body);
  endOfAnswer();
}

void HttpConnection::throttleTick() {
  if (m_gone) return;
  const qsizetype n = std::min<qsizetype>(m_answer.effect.throttleBytes, m_answer.body.size() - m_bodySent);
  m_socket->write(m_answer.body.constData() + m_bodySent, n);
  m_bodySent += n;
  if (m_bodySent >= m_answer.body.size()) {
    m_throttle->stop();
    endOfAnswer();
  }
}

void HttpConnection::endOfAnswer() {
  if (m_answer.effect.extraContentLength > 0 || !m_keepAlive) {
    closeGracefully();
    return;
  }
  m_busy = false;
  processNext();
}

void HttpConnection::closeGracefully() {
  m_closing = true;
  m_pending.clear();
  m_pendingBytes = 0;
  m_buffer.clear();
  account();
  m_socket->disconnectFromHost();  // written bytes are flushed first
  if (m_socket->state() == QAbstractSocket::UnconnectedState) onGone();
}

}  // namespace simcore
