#pragma once
// The requests the simulated service receives and the answers it gives, including the socket
// behaviour (delays, stalls, broken framing) an answer is delivered with.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

namespace simcore {

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

struct HttpRequest {
  QByteArray method;
  QByteArray target;   // as sent on the request line
  QByteArray path;     // raw (not percent-decoded), before '?'; matrix parameters stay in it
  QByteArray query;    // raw, after '?'
  QByteArray version;  // "HTTP/1.1" or "HTTP/1.0"
  HeaderList headers;  // in arrival order, names as sent
  QByteArray body;     // de-chunked when the client used chunked transfer coding

  // Value of the first header with this name (case-insensitive); "" when absent.
  QByteArray header(QByteArrayView name) const;
  bool hasHeader(QByteArrayView name) const;
};

// How an answer reaches the socket. The default delivers it at once and in full; the other
// settings reproduce the faults a client must survive. Settings combine in this order: close
// before answering, stall, hold, delay, then the body (half and close, throttled, or whole),
// then the wrong length.
struct SocketEffect {
  int delayBeforeHeadersMs = 0;     // wait before the status line is written
  bool stallForever = false;        // never answer; the connection stays open
  bool holdUntilReleased = false;   // wait for HttpServer::releaseHeld()
  int throttleBytes = 0;            // > 0: write the body this many bytes ...
  int throttlePeriodMs = 0;         // ... every this many milliseconds
  bool closeBeforeAnswering = false;  // close the connection without writing anything
  bool closeAfterHalfBody = false;    // write the head and half the body, then close
  qint64 extraContentLength = 0;      // announce this many more bytes than the body has, then close

  bool isPlain() const;

  static SocketEffect delay(int ms);
  static SocketEffect stall();
  static SocketEffect hold();
  static SocketEffect throttle(int bytes, int periodMs);
  static SocketEffect closeBeforeAnswer();
  static SocketEffect closeMidBody();
  static SocketEffect contentLengthLongerBy(qint64 extra);
};

struct HttpResponse {
  int status = 200;
  HeaderList headers;  // "Content-Length" is always computed by the server; one given here is dropped
  QByteArray body;
  SocketEffect effect;

  static HttpResponse json(int status, QByteArray body);
  static HttpResponse text(int status, QByteArray body, QByteArray contentType = "text/plain");

  HttpResponse& withHeader(QByteArray name, QByteArray value);
  HttpResponse& withEffect(const SocketEffect& e);
  QByteArray header(QByteArrayView name) const;
};

// The standard reason phrase of a status ("OK", "Not Modified", ...); "Status" for unknown codes.
QByteArray reasonPhrase(int status);

// Case-insensitive lookup in a header list; "" when absent.
QByteArray findHeader(const HeaderList& headers, QByteArrayView name);

}  // namespace simcore
