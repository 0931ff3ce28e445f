#pragma once
// The supervision screen against the simulated service: helpers to read what the app sent, to
// let time pass on the app's clock while answers come in, a media server that accepts connections
// and never answers (a stream that is forever loading), and a log of what a player said.
#include "../support/ScreenHarness.h"

#include "screens/supervision/CustomMoviePlayerViewController.h"
#include "screens/supervision/MySupervisionController.h"
#include "support/Wait.h"

#include <QTcpServer>
#include <QTest>
#include <QTcpSocket>

#include <functional>
#include <string>
#include <vector>

namespace supervisiontest {

// Accepts connections and keeps them open without a word.
class SilentServer {
 public:
  SilentServer() {
    m_server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = m_server.nextPendingConnection()) socket->setParent(&m_server);
    });
  }
  quint16 port() const { return m_server.serverPort(); }

 private:
  QTcpServer m_server;
};

// Signals heard, in order, each under the name given.
class Heard {
 public:
  template <class Sender, class Signal>
  Heard& on(Sender* sender, Signal signal, const char* name) {
    QObject::connect(sender, signal, &m_context, [this, name] { events.push_back(name); });
    return *this;
  }
  // A player's start, first frame and end.
  Heard& player(CustomMoviePlayerViewController* p) {
    return on(p, &CustomMoviePlayerViewController::started, "started")
        .on(p, &CustomMoviePlayerViewController::firstFrame, "firstFrame")
        .on(p, &CustomMoviePlayerViewController::stopped, "stopped");
  }
  std::vector<std::string> events;

 private:
  QObject m_context;
};

// A finger on a button (those of the video menu act on touch-down) and off again.
inline void tap(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); }

class SupervisionTest : public screentest::ScreenTest {
 protected:
  MySupervisionController* openSupervision() { return open<MySupervisionController>("MySupervisionController"); }

  // What the app sent to the service: for each request of `method` whose path contains `part`,
  // the rest of the path after `part` (without the session).
  QStringList sent(const QByteArray& method, const QString& part) const {
    QStringList out;
    for (const auto& request : sim->server().recordedRequests()) {
      const QString path = QString::fromLatin1(request.path).section(QLatin1Char(';'), 0, 0);
      const int at = path.indexOf(part);
      if (request.method == method && at >= 0) out << path.mid(at + part.size());
    }
    return out;
  }
  // Moves the app's clock by `step` until `done` holds, letting answers arrive in between.
  bool advanceUntil(const std::function<bool()>& done, double maxSeconds, double step = 0.5) {
    for (double t = 0; t <= maxSeconds; t += step) {
      tbtest::processEventsFor(20);
      if (done()) return true;
      advance(step);
    }
    return done();
  }
  // Sends the live video to a media server that never answers: the player stays on "loading".
  void liveVideoNeverLoads() { sim->service().setMediaAddress(QStringLiteral("127.0.0.1"), silent.port()); }
  // Taps play on the page of `serial` and lets the start delay run out: the player is on.
  void startLiveVideo(MySupervisionController* screen, const QString& serial);
  int pageOf(MySupervisionController* screen, const QString& serial) const;

  SilentServer silent;
};

}  // namespace supervisiontest
