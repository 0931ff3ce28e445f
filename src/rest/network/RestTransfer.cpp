#include "rest/network/RestTransfer.h"

#include "foundation/Logging.h"
#include "foundation/NotificationCenter.h"
#include "rest/network/RestClient.h"
#include "rest/network/RestRequest.h"
#include "rest/network/RestTransport.h"
#include "rest/network/TlsTrust.h"
#include "rest/network/TransferWatchdog.h"
#include "rest/support/LoggableURL.h"
#include "rest/support/RestError.h"

#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace rest {

namespace {

// The method as the transport takes it, made once.
const QByteArray& verb(RestRequestMethod method) {
  static const QByteArray verbs[] = {"GET", "POST", "PUT", "DELETE", "HEAD"};
  const int index = int(method);
  return verbs[index >= 0 && index < 5 ? index : 0];
}

int defaultPort(const QString& scheme) {
  if (scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0) return 443;
  if (scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0) return 80;
  return -1;
}

// Errors of QNetworkReply that only restate an HTTP status: the answer is still an answer.
bool isStatusError(QNetworkReply::NetworkError error) {
  const int code = error;
  return (code >= 201 && code <= 299) || (code >= 401 && code <= 499) ||
         error == QNetworkReply::ProtocolInvalidOperationError;
}

}  // namespace

RestTransfer::RestTransfer(RestRequest& request, const QNetworkRequest& prepared, const QByteArray& body, Events events)
    : m_request(request), m_events(std::move(events)) {
  QNetworkAccessManager* manager = RestTransport::manager();
  QNetworkReply* reply = nullptr;
  // Every method but HEAD goes with its data, an empty one included, so that the transport sends
  // "Content-Length" itself. HEAD cannot: the transport would then wait for a body.
  if (request.isHEAD()) reply = manager->head(prepared);
  else reply = manager->sendCustomRequest(prepared, verb(request.method()), body);
  reply->setParent(this);
  // Without a bound the transport reads the socket as fast as the server writes and queues it
  // all for the main thread, where the body cap is checked far too late (hundreds of megabytes
  // on loopback). The transport's reading side only hears of the bound once the transfer has
  // started, which for a request with data happens on a later turn of the loop: the bound is set
  // again then, queued right behind that start and ahead of any answer.
  const qint64 readBuffer = std::min(kRestReadBufferSize, request.maximumResponseBodySize() + 1);
  reply->setReadBufferSize(readBuffer);
  QMetaObject::invokeMethod(
      reply, [reply, readBuffer] { reply->setReadBufferSize(readBuffer); }, Qt::QueuedConnection);
  m_reply = reply;
  m_response = std::make_shared<RestResponse>(&request);
  connect(reply, &QNetworkReply::encrypted, this, &RestTransfer::onEncrypted);
  connect(reply, &QNetworkReply::metaDataChanged, this, &RestTransfer::onMetaData);
  connect(reply, &QNetworkReply::readyRead, this, &RestTransfer::onReadyRead);
  connect(reply, &QNetworkReply::finished, this, &RestTransfer::onFinished);
  connect(reply, &QNetworkReply::sslErrors, this, &RestTransfer::onSslErrors);
  connect(reply, &QNetworkReply::redirected, this, &RestTransfer::onRedirected);
  // Only a request with a body has upload progress to report.
  if (request.sendsBody()) connect(reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64 total) {
    touch();
    const qint64 chunk = sent - m_bytesSent;
    m_bytesSent = sent;
    if (chunk > 0 && m_events.sent) m_events.sent(chunk, sent, total);
  });
  watch();
}

RestTransfer::~RestTransfer() { cancel(); }

bool RestTransfer::isRunning() const { return m_reply; }

void RestTransfer::cancel() {
  unwatch();
  dropReply();
  m_response.reset();
}

void RestTransfer::answerChallenge(QAuthenticator* authenticator) {
  // Credentials are offered once per transfer; a second challenge means they were refused, and
  // leaving the authenticator empty cancels it.
  if (m_request.username().isEmpty() || m_request.password().isEmpty()) return;
  if (m_authenticationAttempts++ > 0) return;
  authenticator->setUser(m_request.username());
  authenticator->setPassword(m_request.password());
}

void RestTransfer::touch() {
  if (m_watchId) TransferWatchdog::forThisThread().touch(m_watchId);
}

void RestTransfer::watch() {
  const double timeout = m_request.timeoutInterval();
  const double deadline = m_request.deadlineInterval();
  if (timeout <= 0 && deadline <= 0) return;
  m_watchId = TransferWatchdog::forThisThread().watch(timeout, deadline, [this, timeout, deadline](TransferWatchdog::Expiry why) {
    m_watchId = 0;
    if (why == TransferWatchdog::Expiry::Deadline)
      abortTransfer(kRestTimedOut, QStringLiteral("The request did not complete within %1 s (%2)")
                                       .arg(deadline)
                                       .arg(m_request.loggableURLString()));
    else
      abortTransfer(kRestTimedOut, QStringLiteral("The request timed out after %1 s without progress (%2)")
                                       .arg(timeout)
                                       .arg(m_request.loggableURLString()));
  });
}

void RestTransfer::unwatch() {
  if (m_watchId) TransferWatchdog::forThisThread().unwatch(std::exchange(m_watchId, 0));
}

void RestTransfer::abortTransfer(int errorCode, const QString& message) {
  if (!m_reply) return;
  m_abortCode = errorCode;
  m_abortMessage = message;
  m_reply->abort();  // finished() follows synchronously
}

void RestTransfer::dropReply() {
  if (!m_reply) return;
  QNetworkReply* reply = m_reply;
  m_reply = nullptr;
  reply->disconnect(this);
  if (reply->isRunning()) reply->abort();
  // Deleted later and not with this transfer: a request often dies inside its reply's finished()
  // signal, and a reply destroyed there makes the transport drop the keep-alive connection.
  reply->setParent(nullptr);
  reply->deleteLater();
}

void RestTransfer::onMetaData() {
  if (!m_reply) return;
  touch();
  qint64 headerBytes = 0;
  const auto pairs = m_reply->rawHeaderPairs();
  for (const auto& [name, value] : pairs) headerBytes += name.size() + value.size() + 4;
  // The transport drops the whole header block of an answer beyond its own limits (the same
  // 100 fields) and then reads the body until the server closes, which a hostile one never does.
  // An answer that may have a body, with a status and no header field at all, is such an answer
  // (a real one would at least say its length or type).
  const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  const int code = status.isValid() ? status.toInt() : 0;
  const bool dropped = pairs.isEmpty() && code >= 200 && code != 204 && code != 304;
  if (dropped || pairs.size() > kRestMaximumResponseHeaderCount || headerBytes > kRestMaximumResponseHeaderBytes) {
    abortTransfer(kRestHeadersTooLarge,
                  QStringLiteral("The response headers exceed the limit (%1)").arg(m_request.loggableURLString()));
    return;
  }
  const QVariant declared = m_reply->header(QNetworkRequest::ContentLengthHeader);
  const qint64 limit = m_request.maximumResponseBodySize();
  if (declared.isValid() && declared.toLongLong() > limit) {
    abortTransfer(kRestResponseTooLarge, QStringLiteral("The response body of %1 bytes exceeds the limit of %2 bytes (%3)")
                                             .arg(declared.toLongLong())
                                             .arg(limit)
                                             .arg(m_request.loggableURLString()));
  }
}

void RestTransfer::onReadyRead() {
  if (!m_reply || !m_response) return;
  touch();
  const QByteArray chunk = m_reply->readAll();
  if (chunk.isEmpty()) return;
  const qint64 limit = m_request.maximumResponseBodySize();
  if (m_response->body().size() + chunk.size() > limit) {
    abortTransfer(kRestResponseTooLarge, QStringLiteral("The response body exceeds the limit of %1 bytes (%2)")
                                             .arg(limit)
                                             .arg(m_request.loggableURLString()));
    return;
  }
  m_response->appendBody(chunk);
  if (m_events.received) {
    const QVariant expected = m_reply->header(QNetworkRequest::ContentLengthHeader);
    m_events.received(chunk.size(), m_response->body().size(), expected.isValid() ? expected.toLongLong() : -1);
  }
}

void RestTransfer::onRedirected(const QUrl& target) {
  if (!m_reply) return;
  touch();
  // Another scheme, host or port would receive what this request carries: the password digest
  // of a sign-in, the session of a read.
  // (The reply already names the target as its URL: the origin is the request's own.)
  const QUrl from = m_request.URL();
  const QUrl to = from.resolved(target);
  const bool sameOrigin = to.scheme().compare(from.scheme(), Qt::CaseInsensitive) == 0 &&
                          to.host().compare(from.host(), Qt::CaseInsensitive) == 0 &&
                          to.port(defaultPort(to.scheme())) == from.port(defaultPort(from.scheme()));
  if (sameOrigin) {
    emit m_reply->redirectAllowed();
    return;
  }
  abortTransfer(kRestProtocolError, QStringLiteral("Redirected to another origin (%1), which is not followed (%2)")
                                        .arg(loggableURL(to), m_request.loggableURLString()));
}

void RestTransfer::onSslErrors(const QList<QSslError>& errors) {
  if (!m_reply) return;
  if (admitServerCertificate(errors)) m_reply->ignoreSslErrors(errors);
}

void RestTransfer::onEncrypted() {
  // A certificate the platform validated must still be the one a pinned server is known by. The
  // handshake is over and nothing has been written yet.
  if (m_reply && !admitServerCertificate({}))
    abortTransfer(kRestTLSFailure,
                  QStringLiteral("The server's certificate is not the one it is known by (%1)").arg(serverKey(m_request.URL())));
}

bool RestTransfer::admitServerCertificate(const QList<QSslError>& errors) {
  const auto shared = RestClient::sharedClient();
  const bool useExceptions = shared && shared->disableCertificateValidation();
  const QList<QSslCertificate> chain = m_reply->sslConfiguration().peerCertificateChain();
  const QString server = serverKey(m_request.URL());
  const CertificateVerdict verdict = tls::judgeServer(server, errors, chain, useExceptions);
  if (verdict == CertificateVerdict::Trusted) return true;
  QStringList texts;
  if (verdict == CertificateVerdict::NotExpected) texts << QStringLiteral("not the certificate expected of this server");
  for (const QSslError& error : errors) texts << error.errorString();
  qCWarning(lcRestNetwork).noquote() << "Server certificate refused for" << server << ":" << texts.join(QStringLiteral("; "));
  foundation::NotificationCenter::defaultCenter().post(
      RestServerCertificateRefusedNotification, static_cast<const RestRequest*>(&m_request),
      {{RestServerCertificateRefusalKey, CertificateRefusal{server, chain.value(0), verdict}}});
  return false;
}

void RestTransfer::onFinished() {
  if (!m_reply) return;
  const QPointer<RestTransfer> alive(this);
  if (m_abortCode == 0) onReadyRead();
  if (!alive || !m_reply) return;  // cancelled from a progress event
  QNetworkReply* reply = m_reply;
  std::shared_ptr<RestResponse> response = std::move(m_response);
  unwatch();
  const int abortCode = std::exchange(m_abortCode, 0);
  const QNetworkReply::NetworkError error = reply->error();
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  const QUrl url = reply->url();
  auto headers = reply->rawHeaderPairs();
  const QString errorText = error != QNetworkReply::NoError ? reply->errorString() : QString();
  dropReply();

  if (abortCode != 0) return finish(restError(abortCode, m_abortMessage));
  if (error != QNetworkReply::NoError && !(status.isValid() && isStatusError(error)))
    return finish(restErrorFromReply(error, errorText, m_request.loggableURLString()));
  if (!status.isValid())
    return finish(restError(kRestProtocolError,
                            QStringLiteral("No HTTP status in the answer (%1)").arg(m_request.loggableURLString())));
  response->setHTTPResponse(status.toInt(), std::move(headers), url);
  // A body shorter than announced is a broken answer, never a success.
  const QString length = response->contentLength();
  if (!m_request.isHEAD() && !length.isEmpty() && response->headerValue(QStringLiteral("Content-Encoding")).isEmpty() &&
      status.toInt() != 304 && status.toInt() != 204 && length.toLongLong() != response->body().size()) {
    return finish(restError(kRestConnectionClosed, QStringLiteral("The answer ended after %1 of %2 bytes (%3)")
                                                       .arg(response->body().size())
                                                       .arg(length)
                                                       .arg(m_request.loggableURLString())));
  }
  finish(std::move(response));
}

void RestTransfer::finish(foundation::Result<std::shared_ptr<RestResponse>> result) {
  // Taken out first: whoever hears it may destroy this transfer.
  const Finished finished = std::move(m_events.finished);
  m_events = {};
  if (finished) finished(std::move(result));
}

}  // namespace rest
