// Measures how many sequential requests a second the simulated service answers on loopback:
// one keep-alive connection, each request sent after the previous answer (the app's pace).
// Usage: simulator_load [requests]   (default 1000). Prints requests per second for a cheap
// read (/gateway/mode), a list (/device) and a command (/device/status).
#include "SimHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTcpSocket>

#include <cstdio>

namespace {

// Sends one request and reads its whole answer (Content-Length framing); false on any fault.
bool exchange(QTcpSocket& socket, const QByteArray& request) {
  socket.write(request);
  if (!socket.waitForBytesWritten(5000)) return false;
  QByteArray buffer;
  for (;;) {
    const int end = buffer.indexOf("\r\n\r\n");
    if (end >= 0) {
      const int at = buffer.toLower().indexOf("content-length:");
      const int length = at < 0 ? 0 : buffer.mid(at + 15, buffer.indexOf("\r\n", at) - at - 15).trimmed().toInt();
      if (buffer.size() >= end + 4 + length) return buffer.startsWith("HTTP/1.1 200");
    }
    if (!socket.waitForReadyRead(5000)) return false;
    buffer += socket.readAll();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;
  simtest::SimHarness sim;
  const QString session = sim.signIn();
  if (session.isEmpty()) return 1;
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, sim.server().port());
  if (!socket.waitForConnected(5000)) return 1;
  socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
  const QByteArray base = sim.service().basePath().toUtf8();
  struct Case {
    const char* name;
    QByteArray request;
  };
  const QByteArray status = R"({"status":"TOGGLE","serial":"LGT-CUISINE"})";
  const Case cases[] = {
      {"GET /gateway/mode", "GET " + base + "/gateway/mode;jsessionid=" + session.toUtf8() + " HTTP/1.1\r\nHost: l\r\n\r\n"},
      {"GET /device", "GET " + base + "/device;jsessionid=" + session.toUtf8() + " HTTP/1.1\r\nHost: l\r\n\r\n"},
      {"PUT /device/status", "PUT " + base + "/device/status;jsessionid=" + session.toUtf8() +
                                 " HTTP/1.1\r\nHost: l\r\nContent-Type: application/json\r\nContent-Length: " +
                                 QByteArray::number(status.size()) + "\r\n\r\n" + status},
  };
  for (const Case& c : cases) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
      if (!exchange(socket, c.request)) {
        std::fprintf(stderr, "%s: request %d failed\n", c.name, i);
        return 1;
      }
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("%-22s %d sequential requests in %.3f s: %.0f requests/s\n", c.name, count, seconds, count / seconds);
  }
  return 0;
}
