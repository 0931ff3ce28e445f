#pragma once
// One transfer of a request: one QNetworkReply, from the prepared request to one result (the
// answer with its status, headers and body, or the error that ended it). It bounds what the
// transport reads ahead, fails a transfer without progress or past its deadline, refuses header
// blocks and bodies beyond the limits, follows redirects within the request's origin only, and
// admits the server's certificate (a refusal is logged and posted as
// RestServerCertificateRefusedNotification, sender: the request) before anything is written.
//
// Runs on the thread that started it. Its events may destroy it: each is the last thing the
// transfer does in its turn.
#include "foundation/Result.h"

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QSslError>

#include <functional>
#include <memory>

class QAuthenticator;
class QNetworkReply;

namespace rest {

class RestRequest;
class RestResponse;

inline constexpr qint64 kRestMaximumResponseHeaderBytes = 64 * 1024;
inline constexpr int kRestMaximumResponseHeaderCount = 100;
// How far the transport may read ahead of the main thread; beyond it the socket is left unread.
inline constexpr qint64 kRestReadBufferSize = 1024 * 1024;

class RestTransfer : public QObject {
  Q_OBJECT

 public:
  using Progress = std::function<void(qint64 chunk, qint64 total, qint64 expected)>;
  using Finished = std::function<void(foundation::Result<std::shared_ptr<RestResponse>>)>;
  struct Events {
    Progress received;  // a chunk of the body arrived (expected: -1 when unknown)
    Progress sent;      // a chunk of the request's body left
    Finished finished;  // once, unless cancelled
  };

  // Starts at once. `request` describes what is sent and owns this transfer.
  RestTransfer(RestRequest& request, const QNetworkRequest& prepared, const QByteArray& body, Events events);
  // Stops a transfer still running, reporting nothing.
  ~RestTransfer() override;

  bool isRunning() const;
  // Stops the transfer; `finished` is not called.
  void cancel();
  // Offers the request's credentials to the transport's challenge, once.
  void answerChallenge(QAuthenticator* authenticator);

 private:
  void abortTransfer(int errorCode, const QString& message);
  void dropReply();
  void touch();
  void watch();
  void unwatch();
  bool admitServerCertificate(const QList<QSslError>& errors);
  void onEncrypted();
  void onMetaData();
  void onReadyRead();
  void onFinished();
  void onSslErrors(const QList<QSslError>& errors);
  void onRedirected(const QUrl& target);
  void finish(foundation::Result<std::shared_ptr<RestResponse>> result);

  RestRequest& m_request;
  Events m_events;
  QPointer<QNetworkReply> m_reply;
  std::shared_ptr<RestResponse> m_response;  // the answer as it arrives
  quint64 m_watchId = 0;  // in the thread's transfer watchdog while running
  int m_abortCode = 0;
  QString m_abortMessage;
  qint64 m_bytesSent = 0;
  int m_authenticationAttempts = 0;
};

}  // namespace rest
