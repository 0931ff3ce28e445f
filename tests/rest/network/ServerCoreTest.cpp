// The server core the network tests stand on: framing of partial and pipelined requests, limits,
// keep-alive, and each socket effect as seen from a raw socket.
#include "core/RequestParser.h"
#include "support/Wait.h"
#include "support/server/TestServer.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpSocket>

#include <gtest/gtest.h>

using simcore::HttpResponse;
using simcore::ParseResult;
using simcore::SocketEffect;

namespace {

struct ParseCase {
  const char* name;
  QByteArray input;
  ParseResult::Status status;
  int errorStatus;        // when Error
  QByteArray body;        // when Complete
  qsizetype consumed;     // when Complete (-1: whole input)
};

// Test names, not bytes, in the listings.
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParserTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParserTable, FramesOrRefuses) {
  const ParseCase& c = GetParam();
  simcore::RequestLimits limits;
  limits.maxHeaderBytes = 256;
  limits.maxBodyBytes = 16;
  limits.maxHeaderCount = 4;
  limits.maxChunkLineBytes = 32;
  limits.maxWireBytes = 400;
  const ParseResult r = simcore::parseRequest(c.input, limits);
  ASSERT_EQ(r.status, c.status) << r.errorMessage.toStdString();
  if (c.status == ParseResult::Status::Error) {
    EXPECT_EQ(r.errorStatus, c.errorStatus);
  }
  if (c.status == ParseResult::Status::Complete) {
    EXPECT_EQ(r.request.body, c.body);
    EXPECT_EQ(r.consumed, c.consumed < 0 ? c.input.size() : c.consumed);
  }
}

using S = ParseResult::Status;
INSTANTIATE_TEST_SUITE_P(
    Requests, ParserTable,
    ::testing::Values(
        ParseCase{"get", "GET / HTTP/1.1\r\nHost: a\r\n\r\n", S::Complete, 0, "", -1},
        ParseCase{"headIncomplete", "GET / HTTP/1.1\r\nHost: a\r\n", S::NeedMore, 0, "", 0},
        ParseCase{"bodyIncomplete", "PUT / HTTP/1.1\r\nContent-Length: 5\r\n\r\nab", S::NeedMore, 0, "", 0},
        ParseCase{"pipelinedTakesFirst", "PUT / HTTP/1.1\r\nContent-Length: 2\r\n\r\nabGET / HTTP/1.1\r\n\r\n",
                  S::Complete, 0, "ab", 39},
        ParseCase{"chunked", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2;x=y\r\nde\r\n0\r\n\r\n",
                  S::Complete, 0, "abcde", -1},
        ParseCase{"chunkedIncomplete", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nab", S::NeedMore, 0, "", 0},
        ParseCase{"chunkedBadSize", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", S::Error, 400, "", 0},
        ParseCase{"chunkedTooLarge", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n20\r\n", S::Error, 413, "", 0},
        ParseCase{"bodyTooLarge", "PUT / HTTP/1.1\r\nContent-Length: 17\r\n\r\n", S::Error, 413, "", 0},
        ParseCase{"headTooLarge", "GET / HTTP/1.1\r\nX: " + QByteArray(300, 'a'), S::Error, 431, "", 0},
        ParseCase{"blankLinesCountInTheHead", QByteArray("\r\n").repeated(130) + "GET / HTTP/1.1\r\n\r\n", S::Error, 431, "", 0},
        ParseCase{"blankLinesWithoutEnd", QByteArray("\r\n").repeated(130), S::Error, 431, "", 0},
        ParseCase{"fewBlankLinesBefore", "\r\n\r\nGET / HTTP/1.1\r\n\r\n", S::Complete, 0, "", -1},
        ParseCase{"tooManyHeaders", "GET / HTTP/1.1\r\nA: 1\r\nB: 2\r\nC: 3\r\nD: 4\r\nE: 5\r\n\r\n", S::Error, 431, "", 0},
        ParseCase{"badLength", "PUT / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", S::Error, 400, "", 0},
        ParseCase{"conflictingLengths", "PUT / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n", S::Error, 400, "", 0},
        ParseCase{"lengthAndChunked", "PUT / HTTP/1.1\r\nContent-Length: 1\r\nTransfer-Encoding: chunked\r\n\r\n", S::Error, 400, "", 0},
        ParseCase{"unknownCoding", "PUT / HTTP/1.1\r\nTransfer-Encoding: gzip\r\n\r\n", S::Error, 501, "", 0},
        ParseCase{"http2", "GET / HTTP/2.0\r\n\r\n", S::Error, 505, "", 0},
        ParseCase{"garbageLine", "HELLO\r\n\r\n", S::Error, 400, "", 0},
        ParseCase{"foldedHeader", "GET / HTTP/1.1\r\nA: 1\r\n  more\r\n\r\n", S::Error, 400, "", 0},
        ParseCase{"relativeTarget", "GET abc HTTP/1.1\r\n\r\n", S::Error, 400, "", 0},
        ParseCase{"trailers", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n1\r\na\r\n0\r\nT: 1\r\n\r\n",
                  S::Complete, 0, "a", -1},
        ParseCase{"trailerFlood", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n" + QByteArray("T: 1\r\n").repeated(5),
                  S::Error, 431, "", 0},
        ParseCase{"chunkExtensionFlood", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n1;" + QByteArray(40, 'x'),
                  S::Error, 400, "", 0},
        ParseCase{"framingBeyondTheWireLimit", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n" +
                                                   QByteArray("1;aaaaaaaaaaaaaaaaaaaaa\r\nb\r\n").repeated(14),
                  S::Error, 413, "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RequestParser, SplitsTargetAndKeepsMatrixParameter) {
  const auto r = simcore::parseRequest("GET http://h:1/v1/device;jsessionid=abc?x=1&y=%20 HTTP/1.1\r\nX-A: b \r\n\r\n");
  ASSERT_EQ(r.status, S::Complete);
  EXPECT_EQ(r.request.path, "/v1/device;jsessionid=abc");
  EXPECT_EQ(r.request.query, "x=1&y=%20");
  EXPECT_EQ(r.request.header("x-a"), "b");
  EXPECT_EQ(r.request.header("missing"), "");
}

TEST(RequestParser, KeepAliveFollowsVersionAndConnectionHeader) {
  EXPECT_TRUE(simcore::parseRequest("GET / HTTP/1.1\r\n\r\n").keepAlive);
  EXPECT_FALSE(simcore::parseRequest("GET / HTTP/1.1\r\nConnection: Close\r\n\r\n").keepAlive);
  EXPECT_FALSE(simcore::parseRequest("GET / HTTP/1.0\r\n\r\n").keepAlive);
  EXPECT_TRUE(simcore::parseRequest("GET / HTTP/1.0\r\nConnection: keep-alive\r\n\r\n").keepAlive);
}

// A raw client that reads everything until the server closes or the deadline passes.
// A request arriving in many small pieces is parsed in time proportional to its size: each call
// resumes where the previous one stopped.
TEST(RequestParser, ResumesWhereItStopped) {
  QByteArray request = "POST /upload HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n";
  for (int i = 0; i < 1000; ++i) request += "400\r\n" + QByteArray(1024, 'a' + i % 26) + "\r\n";
  request += "0\r\n\r\n";
  simcore::RequestParser parser;
  QByteArray buffer;
  ParseResult result;
  for (qsizetype at = 0; at < request.size(); at += 100) {
    buffer += request.mid(at, 100);
    result = parser.parse(buffer);
    if (at + 100 < request.size()) {
      ASSERT_EQ(result.status, ParseResult::Status::NeedMore) << at;
    }
  }
  ASSERT_EQ(result.status, ParseResult::Status::Complete);
  EXPECT_EQ(result.request.body.size(), 1000 * 1024);
  EXPECT_EQ(result.consumed, request.size());
  EXPECT_LT(parser.bytesExamined(), 2 * request.size());
  // The next request on the same connection starts afresh.
  parser.reset();
  EXPECT_EQ(parser.parse("GET /next HTTP/1.1\r\n\r\n").request.path, "/next");
}

class RawClient {
 public:
  explicit RawClient(quint16 port) {
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(m_socket.waitForConnected(5000));
  }
  void send(const QByteArray& bytes) {
    m_socket.write(bytes);
    m_socket.waitForBytesWritten(5000);
  }
  // Reads until `enough` holds for the bytes so far, the peer closes, or `ms` pass.
  QByteArray readUntil(const std::function<bool(const QByteArray&)>& enough, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!enough(m_received) && !deadline.hasExpired() && m_socket.state() == QAbstractSocket::ConnectedState) {
      if (m_socket.waitForReadyRead(static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, 20))))
        m_received += m_socket.readAll();
    }
    m_received += m_socket.readAll();
    return m_received;
  }
  QByteArray readUntilClosed(int ms = 5000) {
    return readUntil([](const QByteArray&) { return false; }, ms);
  }
  bool closed() const { return m_socket.state() == QAbstractSocket::UnconnectedState; }
  QTcpSocket& socket() { return m_socket; }

 private:
  QTcpSocket m_socket;
  QByteArray m_received;
};

auto containsTimes(const QByteArray& needle, int n) {
  return [needle, n](const QByteArray& data) { return data.count(needle) >= n; };
}

TEST(HttpServer, AnswersPipelinedAndSplitRequestsInOrderOnOneConnection) {
  tbtest::TestServer server;
  server.script().enqueue(HttpResponse::text(200, "first"));
  server.script().enqueue(HttpResponse::text(201, "second").withEffect(SocketEffect::delay(30)));
  server.script().enqueue(HttpResponse::text(202, "third"));
  RawClient client(server.url().port());
  const QByteArray all = "PUT /a HTTP/1.1\r\nContent-Length: 3\r\n\r\nxyzGET /b HTTP/1.1\r\n\r\nGET /c HTTP/1.1\r\n\r\n";
  // Byte by byte: every split point of the stream is crossed once.
  for (char c : all) client.send(QByteArray(1, c));
  const QByteArray received = client.readUntil(containsTimes("HTTP/1.1 20", 3));
  const qsizetype a = received.indexOf("200 OK"), b = received.indexOf("201 Created"), c = received.indexOf("202 Accepted");
  ASSERT_GE(a, 0);
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_TRUE(received.endsWith("third"));
  ASSERT_EQ(server.requestCount(), 3);
  EXPECT_EQ(server.requests()[0].body, "xyz");
  EXPECT_EQ(server.requests()[2].path, "/c");
  EXPECT_EQ(server.server().connectionsAccepted(), 1);
}

TEST(HttpServer, HeadGetsLengthWithoutBodyAndNotModifiedHasNoBody) {
  tbtest::TestServer server;
  server.script().enqueue(HttpResponse::text(200, "12345"));
  server.script().enqueue(HttpResponse::text(304, "ignored"));
  server.script().enqueue(HttpResponse::text(200, "tail"));
  RawClient client(server.url().port());
  client.send("HEAD / HTTP/1.1\r\n\r\nGET / HTTP/1.1\r\n\r\nGET / HTTP/1.1\r\n\r\n");
  const QByteArray received = client.readUntil([](const QByteArray& d) { return d.endsWith("tail"); });
  EXPECT_TRUE(received.startsWith("HTTP/1.1 200 OK\r\n"));
  EXPECT_TRUE(received.contains("Content-Length: 5\r\n\r\nHTTP/1.1 304 Not Modified\r\n"));
  EXPECT_FALSE(received.contains("12345"));
  EXPECT_FALSE(received.contains("ignored"));
}

TEST(HttpServer, RefusesOversizedHeadAndCloses) {
  // A long header, or an endless run of blank lines before the request line.
  for (const QByteArray& flood : {"GET / HTTP/1.1\r\nX-Big: " + QByteArray(70 * 1024, 'a'), QByteArray("\r\n").repeated(35 * 1024)}) {
    tbtest::TestServer server;
    RawClient client(server.url().port());
    client.send(flood);
    const QByteArray received = client.readUntilClosed();
    EXPECT_TRUE(received.startsWith("HTTP/1.1 431 ")) << received.left(40).toStdString();
    EXPECT_TRUE(client.closed());
    EXPECT_EQ(server.requestCount(), 0);
  }
}

// A client cannot hold the server: a head that never completes, a connection that says nothing,
// a handshake that never starts and connections beyond the cap are all closed.
TEST(HttpServer, NoClientHoldsTheServerForEver) {
  simcore::ScriptedDispatcher script;
  script.setFallback(HttpResponse::text(200, "ok"));
  for (const bool tls : {false, true}) {
    SCOPED_TRACE(tls ? "tls" : "plain");
    simcore::HttpServer server(&script);
    simcore::RequestLimits limits;
    limits.headTimeoutMs = 300;
    limits.idleTimeoutMs = 300;
    limits.maxConnections = 3;
    server.setLimits(limits);
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0, tls ? &tbtest::testCertificate().identity : nullptr));
    QElapsedTimer elapsed;
    elapsed.start();
    RawClient slow(server.port()), quiet(server.port()), third(server.port());
    ASSERT_TRUE(tbtest::waitUntil([&] { return server.openConnections() == 3; }));
    RawClient beyond(server.port());
    beyond.readUntilClosed(2000);
    EXPECT_TRUE(beyond.closed()) << "a fourth connection is closed at once";
    // One byte of a head every 50 ms: progress, but the head never completes.
    for (int i = 0; i < 40 && !slow.closed(); ++i) {
      slow.send("G");
      slow.readUntil([](const QByteArray&) { return false; }, 50);
    }
    EXPECT_TRUE(slow.closed());
    quiet.readUntilClosed(3000);
    EXPECT_TRUE(quiet.closed());
    EXPECT_LT(elapsed.elapsed(), 5000);
    EXPECT_TRUE(tbtest::waitUntil([&] { return server.openConnections() == 0; }));
  }
}

// A client that sends requests and never reads the answers gets no more of them taken than the
// server is willing to hold.
TEST(HttpServer, AClientThatDoesNotReadItsAnswersGetsNoMoreTaken) {
  simcore::ScriptedDispatcher script;
  script.setFallback(HttpResponse::text(200, QByteArray(16 * 1024, 'x')));
  simcore::HttpServer server(&script);
  ASSERT_TRUE(server.listen());
  RawClient client(server.port());
  client.socket().setReadBufferSize(1);  // reads nothing of what comes back
  const QByteArray request = "GET /a HTTP/1.1\r\n\r\n";
  for (int i = 0; i < 40; ++i) {
    client.socket().write(request.repeated(100));
    client.socket().waitForBytesWritten(50);
  }
  tbtest::processEventsFor(500);
  // 4 MiB of unread answers (256 of them) plus 256 requests waiting, and a socket buffer.
  EXPECT_LT(server.recordedCount(), 1500);
}

// A server answering "ok" to everything, with limits of the test's choosing.
struct OkServer {
  explicit OkServer(const std::function<void(simcore::RequestLimits&)>& tune) {
    script.setFallback(HttpResponse::text(200, "ok"));
    simcore::RequestLimits limits;
    tune(limits);
    server.setLimits(limits);
    EXPECT_TRUE(server.listen());
  }
  simcore::ScriptedDispatcher script;
  simcore::HttpServer server{&script};
};

// Requests pipelined behind an answer that waits are taken only while the connection has room;
// the rest once the backlog drains, every one answered in order.
TEST(HttpServer, PipelinedRequestsAreTakenOnlyWhileTheConnectionHasRoom) {
  OkServer ok([](simcore::RequestLimits& l) { l.maxConnectionBytes = 256 * 1024; });
  ok.script.enqueue(HttpResponse::text(200, "first").withEffect(SocketEffect::hold()));
  simcore::HttpServer& server = ok.server;
  RawClient client(server.port());
  const QByteArray put = "PUT /p HTTP/1.1\r\nContent-Length: 65536\r\n\r\n" + QByteArray(65536, 'x');
  client.send("GET /held HTTP/1.1\r\n\r\n" + put.repeated(40));
  ASSERT_TRUE(tbtest::waitUntil([&] { return server.heldCount() == 1; }));
  tbtest::processEventsFor(300);
  EXPECT_LE(server.recordedCount(), 6) << "the held request and what fits in 256 KiB";
  EXPECT_EQ(server.releaseHeld(), 1);
  const QByteArray received = client.readUntil(containsTimes("HTTP/1.1 200", 41), 10000);
  EXPECT_EQ(received.count("HTTP/1.1 200"), 41);
  EXPECT_TRUE(received.endsWith("ok"));
  EXPECT_EQ(server.recordedCount(), 41);
}

// What all connections hold together is bounded: the request that would go beyond is refused,
// and the others go on.
TEST(HttpServer, RequestsBeyondWhatTheServerHoldsInAllAreRefused) {
  OkServer ok([](simcore::RequestLimits& l) { l.maxBufferedBytes = 256 * 1024; });
  simcore::HttpServer& server = ok.server;
  const QByteArray head = "PUT /p HTTP/1.1\r\nContent-Length: 204800\r\n\r\n";
  RawClient first(server.port()), second(server.port());
  first.send(head + QByteArray(150 * 1024, 'a'));
  first.readUntil([](const QByteArray&) { return false; }, 300);
  second.send(head + QByteArray(150 * 1024, 'b'));
  EXPECT_TRUE(second.readUntilClosed().startsWith("HTTP/1.1 503 "));
  first.send(QByteArray(50 * 1024, 'a'));
  EXPECT_TRUE(first.readUntil([](const QByteArray& d) { return d.endsWith("ok"); }).startsWith("HTTP/1.1 200 "));
}

// The record forgets the oldest requests beyond its count or its size.
TEST(HttpServer, TheRecordKeepsTheLatestRequestsWithinItsBounds) {
  OkServer ok([](simcore::RequestLimits& l) {
    l.maxRecordedRequests = 5;
    l.maxRecordedBytes = 64 * 1024;
  });
  simcore::HttpServer& server = ok.server;
  RawClient client(server.port());
  for (int i = 0; i < 8; ++i) client.send("GET /" + QByteArray::number(i) + " HTTP/1.1\r\n\r\n");
  client.readUntil(containsTimes("HTTP/1.1 200", 8));
  const QList<simcore::HttpRequest> latest = server.recordedRequests();
  ASSERT_EQ(latest.size(), 5);
  EXPECT_EQ(latest.first().path, "/3");
  EXPECT_EQ(latest.last().path, "/7");
  const QByteArray put = "PUT /big HTTP/1.1\r\nContent-Length: 40000\r\n\r\n" + QByteArray(40000, 'x');
  client.send(put + put);
  client.readUntil(containsTimes("HTTP/1.1 200", 10));
  ASSERT_EQ(server.recordedCount(), 1);
  EXPECT_EQ(server.recordedRequests().first().path, "/big");
}

TEST(HttpServer, ConnectionCloseRequestEndsTheConnectionAfterTheAnswer) {
  tbtest::TestServer server;
  server.script().setFallback(HttpResponse::text(200, "ok"));
  RawClient client(server.url().port());
  client.send("GET / HTTP/1.1\r\nConnection: close\r\n\r\nGET /never HTTP/1.1\r\n\r\n");
  const QByteArray received = client.readUntilClosed();
  EXPECT_EQ(received.count("HTTP/1.1 200"), 1);
  EXPECT_TRUE(received.contains("Connection: close\r\n"));
  EXPECT_EQ(server.requestCount(), 1);
}

struct EffectCase {
  const char* name;
  SocketEffect effect;
  QByteArray expectedPrefixAfterHead;  // body bytes the client sees
  QByteArray contentLength;
  bool closes;
};

void PrintTo(const EffectCase& c, std::ostream* os) { *os << c.name; }

class EffectTable : public ::testing::TestWithParam<EffectCase> {};

TEST_P(EffectTable, DeliversTheBodyAsScripted) {
  const EffectCase& c = GetParam();
  tbtest::TestServer server;
  server.script().enqueue(HttpResponse::text(200, "0123456789").withEffect(c.effect));
  RawClient client(server.url().port());
  client.send("GET / HTTP/1.1\r\n\r\n");
  const QByteArray received = c.closes ? client.readUntilClosed()
                                       : client.readUntil([](const QByteArray& d) { return d.endsWith("0123456789"); });
  const qsizetype bodyAt = received.indexOf("\r\n\r\n") + 4;
  ASSERT_GE(bodyAt, 4) << received.toStdString();
  EXPECT_EQ(received.mid(bodyAt), c.expectedPrefixAfterHead);
  EXPECT_TRUE(received.contains("Content-Length: " + c.contentLength + "\r\n"));
  EXPECT_EQ(client.closed(), c.closes);
}

INSTANTIATE_TEST_SUITE_P(
    Effects, EffectTable,
    ::testing::Values(EffectCase{"plain", {}, "0123456789", "10", false},
                      EffectCase{"delay", SocketEffect::delay(20), "0123456789", "10", false},
                      EffectCase{"throttle", SocketEffect::throttle(3, 5), "0123456789", "10", false},
                      EffectCase{"halfBody", SocketEffect::closeMidBody(), "01234", "10", true},
                      EffectCase{"longerLength", SocketEffect::contentLengthLongerBy(5), "0123456789", "15", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpServer, CloseBeforeAnsweringSendsNothing) {
  tbtest::TestServer server;
  server.script().enqueue(HttpResponse::text(200, "x").withEffect(SocketEffect::closeBeforeAnswer()));
  RawClient client(server.url().port());
  client.send("GET / HTTP/1.1\r\n\r\n");
  EXPECT_EQ(client.readUntilClosed(), "");
  EXPECT_TRUE(client.closed());
}

TEST(HttpServer, StalledAnswerNeverArrivesAndHeldAnswersLeaveInReleaseOrder) {
  tbtest::TestServer server;
  server.script().enqueue(HttpResponse::text(200, "stalled").withEffect(SocketEffect::stall()));
  RawClient stalled(server.url().port());
  stalled.send("GET / HTTP/1.1\r\n\r\n");
  EXPECT_EQ(stalled.readUntil([](const QByteArray& d) { return !d.isEmpty(); }, 150), "");
  EXPECT_FALSE(stalled.closed());

  server.script().enqueue(HttpResponse::text(200, "one").withEffect(SocketEffect::hold()));
  server.script().enqueue(HttpResponse::text(200, "two").withEffect(SocketEffect::hold()));
  RawClient first(server.url().port());
  first.send("GET /1 HTTP/1.1\r\n\r\n");
  ASSERT_TRUE(first.readUntil([&](const QByteArray&) { return server.server().heldCount() == 1; }, 5000).isEmpty());
  RawClient second(server.url().port());
  second.send("GET /2 HTTP/1.1\r\n\r\n");
  ASSERT_TRUE(second.readUntil([&](const QByteArray&) { return server.server().heldCount() == 2; }, 5000).isEmpty());
  EXPECT_EQ(server.server().releaseHeld(1), 1);
  EXPECT_TRUE(first.readUntil([](const QByteArray& d) { return d.endsWith("one"); }).endsWith("one"));
  EXPECT_EQ(server.server().heldCount(), 1);
  EXPECT_EQ(server.server().releaseHeld(), 1);
  EXPECT_TRUE(second.readUntil([](const QByteArray& d) { return d.endsWith("two"); }).endsWith("two"));
}

TEST(HttpServer, ServesTlsWithTheTestCertificate) {
  tbtest::TestServer server(tbtest::TestServer::Mode::Tls);
  server.script().enqueue(HttpResponse::json(200, "{}"));
  QSslSocket socket;
  QSslConfiguration config = QSslConfiguration::defaultConfiguration();
  config.setCaCertificates({tbtest::testCertificate().identity.certificate});
  socket.setSslConfiguration(config);
  socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"), server.url().port());
  ASSERT_TRUE(socket.waitForEncrypted(10000)) << socket.errorString().toStdString();
  socket.write("GET / HTTP/1.1\r\n\r\n");
  QByteArray received;
  QDeadlineTimer deadline(5000);
  while (!received.endsWith("{}") && !deadline.hasExpired())
    if (socket.waitForReadyRead(100)) received += socket.readAll();
  EXPECT_TRUE(received.startsWith("HTTP/1.1 200 OK"));
  EXPECT_TRUE(received.contains("Content-Type: application/json"));
}

TEST(HttpServer, CloseDropsConnectionsAndCanListenAgain) {
  tbtest::TestServer server;
  server.script().enqueue(HttpResponse::text(200, "x").withEffect(SocketEffect::stall()));
  RawClient client(server.url().port());
  client.send("GET / HTTP/1.1\r\n\r\n");
  ASSERT_TRUE(client.readUntil([&](const QByteArray&) { return server.requestCount() == 1; }).isEmpty());
  server.server().close();
  client.readUntilClosed(2000);
  EXPECT_TRUE(client.closed());
  EXPECT_FALSE(server.server().isListening());
  ASSERT_TRUE(server.server().listen());
  EXPECT_NE(server.server().port(), 0);
}

}  // namespace
