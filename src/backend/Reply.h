#pragma once
// The outcome of one service operation, as the caller holds it: it ends once, in finished() or in
// failed(status), on the main thread, after the service has filed the answer and posted its named
// notifications. Handlers are connected with a context object and die with it:
//
//   auto reply = BEServiceDevice::getInstance().getList();
//   connect(reply.get(), &backend::Reply::finished, screen, [screen] { ... });
//
// An operation that sends nothing (refused before sending) returns a reply that has already
// failed; ServiceCalls (and any caller) checks isDone() before waiting. Tests end a reply by hand
// with finish() / fail() to drive a screen without a socket.
#include <QObject>

#include <memory>

namespace backend {

class Reply : public QObject {
  Q_OBJECT
 public:
  enum class State { Running, Finished, Failed };

  Reply() = default;

  State state() const { return m_state; }
  bool isDone() const { return m_state != State::Running; }
  bool succeeded() const { return m_state == State::Finished; }
  // The HTTP status of the failed answer: 0 when none came (no network, refused before sending),
  // 600 and above for the gateway's own codes.
  int status() const { return m_status; }
  // A read's success that only confirmed what the store holds (the service answered "not
  // modified"): nothing was filed and nothing needs redrawing.
  bool isUnchanged() const { return m_unchanged; }

  // A reply the app asked for by itself (a refresh, a camera's next picture), not a user's tap:
  // its failure raises the alert of its class only when that class has been quiet for a while
  // (BEStatusCodeManager::alertsNow), so a fault that lasts does not raise the same alert at
  // every refresh.
  void setBackground() { m_background = true; }
  bool isBackground() const { return m_background; }

  // Ends the reply; a reply ends once, later calls are ignored.
  void finish(bool unchanged = false);
  void fail(int status = 0);

  // A reply that has already failed: the operation sent nothing.
  static std::shared_ptr<Reply> failedNow(int status = 0);

 signals:
  void finished();
  void failed(int status);

 private:
  State m_state = State::Running;
  int m_status = 0;
  bool m_unchanged = false;
  bool m_background = false;
};

using ReplyPtr = std::shared_ptr<Reply>;

}  // namespace backend
