#include "core/HttpConnection.h"

#include "core/RequestParser.h"
#include "core/ServerState.h"

#include <QTcpSocket>
#include <QTimer>

namespace simcore {

namespace {
// Pipelined requests kept waiting before the connection stops reading from its socket.
constexpr std::size_t kMaxPending = 256;

bool statusHasNoBody(int status) { return (status >= 100 && status < 200) || status == 204 || status == 304; }
}  // namespace

HttpConnection::HttpConnection(QTcpSocket* socket, std::shared_ptr<ServerState> state, QObject* parent)
    : QObject(parent), m_socket(socket), m_state(std::move(state)) {
  m_socket->setParent(this);
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
}

void HttpConnection::onGone() {
  if (m_gone) return;
  m_gone = true;
  --m_state->open;
  if (m_throttle) m_throttle->stop();
  deleteLater();
}

void HttpConnection::abort() {
  m_socket->abort();
  onGone();
}

void HttpConnection::onReadyRead() {
  if (m_gone || m_readingStopped) return;
  if (m_pending.size() >= kMaxPending) return;  // resumed when the backlog drains
  m_buffer.append(m_socket->readAll());
  while (!m_buffer.isEmpty() && m_pending.size() < kMaxPending) {
    ParseResult parsed = parseRequest(m_buffer, m_state->limits);
    if (parsed.status == ParseResult::Status::NeedMore) break;
    if (parsed.status == ParseResult::Status::Error) {
      Pending refusal;
      refusal.keepAlive = false;
      refusal.error = HttpResponse::text(parsed.errorStatus, parsed.errorMessage + "\n");
      m_pending.push_back(std::move(refusal));
      m_buffer.clear();
      m_readingStopped = true;
      break;
    }
    m_buffer.remove(0, parsed.consumed);
    m_state->record(parsed.request);
    m_pending.push_back(Pending{std::move(parsed.request), parsed.keepAlive, std::nullopt});
    if (!parsed.keepAlive) {
      // Whatever follows a "Connection: close" request is never answered.
      m_buffer.clear();
      m_readingStopped = true;
      break;
    }
  }
  processNext();
}

void HttpConnection::processNext() {
  if (m_gone || m_busy || m_closing || m_stalled) return;
  if (m_pending.empty()) {
    if (m_socket->bytesAvailable() > 0) onReadyRead();
    return;
  }
  Pending next = std::move(m_pending.front());
  m_pending.pop_front();
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
  m_socket->disconnectFromHost();  // written bytes are flushed first
  if (m_socket->state() == QAbstractSocket::UnconnectedState) onGone();
}

}  // namespace simcore
