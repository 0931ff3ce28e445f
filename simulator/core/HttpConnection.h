#pragma once
// One accepted connection: reads requests (partial and pipelined), answers them strictly in
// order through the dispatcher, and plays each answer's socket effect. A client cannot hold it
// for ever: a TLS handshake or a request head must complete within the head timeout, a quiet
// connection closes after the idle timeout, and a client that does not read its answers, or
// pipelines faster than they are answered, gets nothing more read until it catches up.
#include "core/HttpMessage.h"
#include "core/RequestParser.h"

#include <QObject>

#include <deque>
#include <memory>
#include <optional>

class QTcpSocket;
class QTimer;

namespace simcore {

struct ServerState;

class HttpConnection : public QObject {
  Q_OBJECT

 public:
  HttpConnection(QTcpSocket* socket, std::shared_ptr<ServerState> state, QObject* parent);
  ~HttpConnection() override;

  // Continues an answer that waited for HttpServer::releaseHeld().
  void releaseHold();
  bool isHolding() const { return m_holding; }
  void abort();

 private:
  struct Pending {
    HttpRequest request;
    bool keepAlive = true;
    std::optional<HttpResponse> error;  // a refusal of the parser, answered in turn
    qint64 bytes = 0;                   // what the request took on the wire
  };

  void onReadyRead();
  // Answers `status` after what is queued, then closes; nothing more is read.
  void refuse(int status, const QByteArray& message);
  // Whether the backlog (queued requests and unread answers) is full: reading waits.
  bool backlogFull() const;
  // Brings this connection's share of the server's buffered request bytes up to date.
  void account();
  void processNext();
  void startAnswer(const Pending& pending);
  void afterHold();
  void writeHead();
  void writeBody();
  void throttleTick();
  void endOfAnswer();
  void closeGracefully();
  void onGone();
  // Arms the one timer of the connection for what it is waiting for now.
  void watchClient();

  QTcpSocket* m_socket;
  std::shared_ptr<ServerState> m_state;
  QByteArray m_buffer;
  RequestParser m_parser;
  QTimer* m_timer = nullptr;
  bool m_headTimerRunning = false;  // the timer counts a head's time, not idleness
  bool m_waitingForWrites = false;
  std::deque<Pending> m_pending;
  qint64 m_pendingBytes = 0;  // of the requests in m_pending
  qint64 m_counted = 0;       // this connection's part of ServerState::bufferedBytes
  bool m_readingStopped = false;  // after a framing error nothing more is read
  bool m_deferred = false;        // the buffer was left unparsed while the backlog was full
  bool m_resumeQueued = false;
  bool m_busy = false;
  bool m_holding = false;
  bool m_stalled = false;
  bool m_closing = false;
  bool m_gone = false;

  // The answer being written.
  HttpResponse m_answer;
  bool m_headOnly = false;
  bool m_keepAlive = true;
  qsizetype m_bodySent = 0;
  QTimer* m_throttle = nullptr;
};

}  // namespace simcore
