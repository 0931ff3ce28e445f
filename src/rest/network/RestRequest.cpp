#include "rest/network/RestRequest.h"

#include "foundation/Digest.h"
#include "foundation/Logging.h"
#include "foundation/NotificationCenter.h"
#include "rest/network/RestClient.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/RestReachabilityObserver.h"
#include "rest/network/RestRequestCache.h"
#include "rest/network/RestRequestQueue.h"
#include "rest/network/RestTransport.h"
#include "rest/network/TlsTrust.h"
#include "rest/network/TransferWatchdog.h"
#include "rest/support/LoggableURL.h"
#include "rest/support/RestError.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslError>

namespace rest {

void setHeaderValue(HTTPHeaderList& headers, const QString& name, const QString& value) {
  for (auto& entry : headers) {
    if (entry.first.compare(name, Qt::CaseInsensitive) == 0) {
      entry.second = value;
      return;
    }
  }
  headers.append({name, value});
}

namespace {

// The platform's textual form of a byte buffer: "<0011aabb ccdd>", eight hex digits per group.
QString bytesDescription(const QByteArray& bytes) {
  const QByteArray hex = bytes.toHex();
  QString text = QStringLiteral("<");
  for (qsizetype i = 0; i < hex.size(); i += 8) {
    if (i > 0) text += ' ';
    text += QString::fromLatin1(hex.mid(i, 8));
  }
  return text + '>';
}

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

RestRequest::RestRequest(const RestURL& URL, RestRequestDelegate* delegate)
    : m_url(URL.url()), m_restURL(URL), m_delegate(delegate) {}

RestRequest::RestRequest(const QUrl& URL, RestRequestDelegate* delegate) : m_url(URL), m_delegate(delegate) {}

RestRequest::~RestRequest() {
  unwatchTransfer();
  dropReply();
}

std::shared_ptr<RestRequest> RestRequest::requestWithURLDelegate(const RestURL& URL, RestRequestDelegate* delegate) {
  return std::make_shared<RestRequest>(URL, delegate);
}

QString RestRequest::HTTPMethod() const {
  switch (m_method) {
    case RestRequestMethodGET: return QStringLiteral("GET");
    case RestRequestMethodPOST: return QStringLiteral("POST");
    case RestRequestMethodPUT: return QStringLiteral("PUT");
    case RestRequestMethodDELETE: return QStringLiteral("DELETE");
    case RestRequestMethodHEAD: return QStringLiteral("HEAD");
  }
  return QStringLiteral("GET");
}

QString RestRequest::resourcePath() const { return m_restURL ? m_restURL->resourcePath() : QString(); }

void RestRequest::setResourcePath(const QString& resourcePath) {
  if (!m_restURL) qFatal("Resource path can only be mutated when self.URL is an RestURL instance");
  auto rebuilt = RestURL::URLWithBaseURLString(m_restURL->baseURLString(), resourcePath, m_restURL->queryParams());
  if (!rebuilt) {
    qCWarning(lcRestNetwork) << "Cannot build a URL for the resource path" << resourcePath;
    return;
  }
  m_restURL = *rebuilt;
  m_url = rebuilt->url();
  m_urlString.clear();
  m_cacheURLString.clear();
  m_cacheKey.clear();
}

QByteArray RestRequest::HTTPBody() const {
  if (!m_params || m_method == RestRequestMethodGET || m_method == RestRequestMethodHEAD) return {};
  return m_params->HTTPBody();
}

const QString& RestRequest::URLString() const {
  if (m_urlString.isEmpty()) m_urlString = m_restURL ? m_restURL->absoluteString() : QString::fromUtf8(m_url.toEncoded());
  return m_urlString;
}

const QString& RestRequest::cacheURLString() const {
  if (m_cacheURLString.isEmpty()) m_cacheURLString = URLWithoutSession(URLString());
  return m_cacheURLString;
}

QString RestRequest::cacheKey() const {
  if (m_method == RestRequestMethodDELETE) return QString();
  if (!m_cacheKey.isEmpty()) return m_cacheKey;
  // "<url>-<method>[-<body description>]", joined as they are: substituting into a pattern would
  // also substitute percent escapes of the URL ("%2F" read as a place marker), and distinct URLs
  // would share a key.
  QByteArray material = cacheURLString().toUtf8();
  material += '-';
  material += QByteArray::number(int(m_method));
  const QByteArray body = m_params ? m_params->HTTPBody() : QByteArray();
  if (m_params && !body.isNull()) {
    material += '-';
    material += bytesDescription(body).toUtf8();
  }
  m_cacheKey = foundation::md5Hex(material);
  return m_cacheKey;
}

// --- Preparation

void RestRequest::prepareURLRequest() {
  QNetworkRequest request(m_url);
  // The layer has its own cache; the transport's must never answer or store.
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  // Every redirect waits for onRedirected(), which lets only the same origin through.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
  m_preparedHeaders.clear();

  auto set = [&](const QString& name, const QString& value) {
    m_preparedHeaders.append({name, value});
    request.setRawHeader(name.toLatin1(), value.toUtf8());
  };
  for (const auto& [name, value] : m_additionalHTTPHeaders) set(name, value);

  m_sendsBody = m_params && m_method != RestRequestMethodGET && m_method != RestRequestMethodHEAD;
  m_preparedBody = m_sendsBody ? m_params->HTTPBody() : QByteArray("");
  if (m_sendsBody) {
    const QString contentType = m_params->HTTPHeaderValueForContentType();
    if (!contentType.isEmpty()) set(QStringLiteral("Content-Type"), contentType);
    const auto declared = m_params->HTTPHeaderValueForContentLength();
    if (declared && *declared != m_preparedBody.size())
      qCWarning(lcRestNetwork) << "Body provider declares" << *declared << "bytes but gives" << m_preparedBody.size()
                               << "; sending the real length";
  }
  // "Content-Length" is the real length of what is sent ("0" without a body). The transport writes
  // it from the data it is given: set by hand on a request without upload data, the header makes
  // it drop the keep-alive connection after every answer.
  m_preparedHeaders.append({QStringLiteral("Content-Length"), QString::number(m_preparedBody.size())});
  if (m_method == RestRequestMethodHEAD) request.setRawHeader("Content-Length", "0");

  if (m_authenticationType == RestRequestAuthenticationTypeHTTPBasic && !m_username.isEmpty()) {
    const QByteArray credentials = (m_username + ':' + m_password).toUtf8().toBase64();
    m_preparedHeaders.append({QStringLiteral("Authorization"), QStringLiteral("Basic <credentials>")});
    request.setRawHeader("Authorization", "Basic " + credentials);
  }

  m_sentEntityTag = false;
  // Validators belong to reads: on a command, a 304 would stand for "done" and be replaced by an
  // earlier answer.
  if ((m_cachePolicy & RestRequestCachePolicyEtag) && m_cache && (isGET() || isHEAD())) {
    QString etag;
    const HeaderMap stored = storedHeaders();
    for (auto it = stored.begin(); it != stored.end(); ++it)
      if (it.key().compare(QStringLiteral("ETag"), Qt::CaseInsensitive) == 0) etag = it.value();
    if (!etag.isEmpty() && !m_withoutEntityTag) set(QStringLiteral("If-None-Match"), etag);
    m_sentEntityTag = !etag.isEmpty() && !m_withoutEntityTag;
  }

  const auto shared = RestClient::sharedClient();
  request.setSslConfiguration(tls::configurationForRequest(shared && shared->disableCertificateValidation()));
  m_URLRequest = request;
  m_storedHeaders.reset();  // the answer may change the entry
}

// --- Cache and reachability gates

bool RestRequest::cacheHasResponse() const { return m_cache && m_cache->hasResponseForRequest(this); }

HeaderMap RestRequest::storedHeaders() const {
  // One look at the cache per send: the gate, the date and the entity tag all read the same entry.
  if (!m_storedHeaders) m_storedHeaders = m_cache ? m_cache->headersForRequest(this) : HeaderMap();
  return *m_storedHeaders;
}

bool RestRequest::shouldLoadFromCache() const {
  if (!m_cache) return false;
  if (m_cachePolicy & RestRequestCachePolicyEnabled) return !storedHeaders().isEmpty();
  if (m_cachePolicy & RestRequestCachePolicyTimeout) {
    // No interval means every request is sent, so a repeated command always reaches the box.
    if (m_cacheTimeoutInterval <= 0) return false;
    const QDateTime date = RestRequestCache::parseCacheDate(storedHeaders().value(QString::fromLatin1(kCacheDateHeaderKey)));
    if (!date.isValid()) return false;
    // An entry dated in the future (the clock was set back) is not fresh, or it would answer
    // every request until the clock caught up.
    const double age = date.msecsTo(foundation::scheduler().now()) / 1000.0;
    return age >= 0 && age <= m_cacheTimeoutInterval;
  }
  return false;
}

std::shared_ptr<RestResponse> RestRequest::cachedResponse() { return m_cache ? m_cache->responseForRequest(this) : nullptr; }

bool RestRequest::answeredFromStoreOnly() {
  if (!(m_cachePolicy & RestRequestCachePolicyStoredOnly)) return false;
  if (auto cached = cachedResponse()) {
    m_isLoading = true;
    didFinishLoad(cached);
  } else {
    didFailLoadWithError(restError(kRestNoStoredAnswer, QStringLiteral("Nothing is stored for %1").arg(loggableURL(m_url))));
  }
  return true;
}

bool RestRequest::unreachable() const {
  return m_reachabilityObserver && m_reachabilityObserver->isReachabilityDetermined() &&
         !m_reachabilityObserver->isNetworkReachable();
}

foundation::Error RestRequest::unreachableError() const {
  return restError(kRestUnableToContactResource,
                   QStringLiteral("The client is unable to contact the resource at %1").arg(loggableURL(m_url)));
}

// --- Sending

void RestRequest::send() {
  if (auto queue = m_queue.lock()) {
    if (auto self = weak_from_this().lock()) {
      queue->addRequest(self);
      return;
    }
  }
  sendAsynchronously();
}

void RestRequest::sendAsynchronously() {
  // A second send would open a second transfer and report twice.
  if (m_isLoading || m_isLoaded) qFatal("Cannot send a request that is loading or loaded without resetting it first.");
  m_sentSynchronously = false;
  m_withoutEntityTag = false;
  m_storedHeaders.reset();
  if (answeredFromStoreOnly()) return;
  if (shouldLoadFromCache()) {
    if (auto cached = cachedResponse()) {
      m_isLoading = true;
      didFinishLoad(cached);
      return;
    }
  }
  if (unreachable()) {
    if ((m_cachePolicy & RestRequestCachePolicyLoadIfOffline) && cacheHasResponse()) {
      if (auto cached = cachedResponse()) {
        m_isLoading = true;
        didFinishLoad(cached);
        return;
      }
    }
    qCCritical(lcRestNetwork).noquote() << QStringLiteral("Failed to send request to %1 due to unreachable network. Reachability observer = %2")
                                               .arg(loggableURL(m_url), m_reachabilityObserver->description());
    didFailLoadWithError(unreachableError());
    return;
  }
  fire();
}

void RestRequest::fire() {
  prepareURLRequest();
  m_isLoading = true;
  m_self = weak_from_this().lock();
  // A delegate may cancel from any of its callbacks, releasing the last reference: this request
  // stays alive until the call that made the callback is over.
  const auto keepAlive = m_self;
  if (m_delegate) m_delegate->requestDidStartLoad(this);
  if (!m_isLoading) return;  // cancelled by the delegate
  startTransfer();
  postNotification(RestRequestSentNotification);
}

void RestRequest::startTransfer() {
  QNetworkAccessManager* manager = RestTransport::manager();
  QNetworkReply* reply = nullptr;
  // Every method but HEAD goes with its data, an empty one included, so that the transport sends
  // "Content-Length" itself. HEAD cannot: the transport would then wait for a body.
  if (m_method == RestRequestMethodHEAD) reply = manager->head(m_URLRequest);
  else reply = manager->sendCustomRequest(m_URLRequest, verb(m_method), m_preparedBody);
  reply->setParent(this);
  // Without a bound the transport reads the socket as fast as the server writes and queues it
  // all for the main thread, where the body cap is checked far too late (hundreds of megabytes
  // on loopback). The transport's reading side only hears of the bound once the transfer has
  // started, which for a request with data happens on a later turn of the loop: the bound is set
  // again then, queued right behind that start and ahead of any answer.
  const qint64 readBuffer = std::min(kRestReadBufferSize, m_maximumResponseBodySize + 1);
  reply->setReadBufferSize(readBuffer);
  QMetaObject::invokeMethod(
      reply, [reply, readBuffer] { reply->setReadBufferSize(readBuffer); }, Qt::QueuedConnection);
  m_reply = reply;
  m_loadingResponse = std::make_shared<RestResponse>(this);
  m_abortCode = 0;
  m_bytesSent = 0;
  m_authenticationAttempts = 0;
  connect(reply, &QNetworkReply::encrypted, this, &RestRequest::onEncrypted);
  connect(reply, &QNetworkReply::metaDataChanged, this, &RestRequest::onMetaData);
  connect(reply, &QNetworkReply::readyRead, this, &RestRequest::onReadyRead);
  connect(reply, &QNetworkReply::finished, this, &RestRequest::onFinished);
  connect(reply, &QNetworkReply::sslErrors, this, &RestRequest::onSslErrors);
  connect(reply, &QNetworkReply::redirected, this, &RestRequest::onRedirected);
  // Only a request with a body has upload progress to report.
  if (m_sendsBody) connect(reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64 total) {
    const auto keepAlive = weak_from_this().lock();
    touch();
    const qint64 chunk = sent - m_bytesSent;
    m_bytesSent = sent;
    if (chunk > 0 && m_delegate)
      m_delegate->requestDidSendBodyDataTotalBytesWrittenTotalBytesExpectedToWrite(this, chunk, sent, total);
  });
  watchTransfer();
}

void RestRequest::touch() {
  if (m_watchId) TransferWatchdog::forThisThread().touch(m_watchId);
}

void RestRequest::watchTransfer() {
  if (m_timeoutInterval <= 0 && m_deadlineInterval <= 0) return;
  m_watchId = TransferWatchdog::forThisThread().watch(
      m_timeoutInterval, m_deadlineInterval, [this](TransferWatchdog::Expiry why) {
        m_watchId = 0;
        if (why == TransferWatchdog::Expiry::Deadline)
          abortTransfer(kRestTimedOut, QStringLiteral("The request did not complete within %1 s (%2)")
                                           .arg(m_deadlineInterval)
                                           .arg(loggableURL(m_url)));
        else
          abortTransfer(kRestTimedOut, QStringLiteral("The request timed out after %1 s without progress (%2)")
                                           .arg(m_timeoutInterval)
                                           .arg(loggableURL(m_url)));
      });
}

void RestRequest::unwatchTransfer() {
  if (m_watchId) TransferWatchdog::forThisThread().unwatch(std::exchange(m_watchId, 0));
}

void RestRequest::abortTransfer(int errorCode, const QString& message) {
  if (!m_reply) return;
  m_abortCode = errorCode;
  m_abortMessage = message;
  m_reply->abort();  // finished() follows synchronously
}

void RestRequest::dropReply() {
  if (!m_reply) return;
  QNetworkReply* reply = m_reply;
  m_reply = nullptr;
  reply->disconnect(this);
  if (reply->isRunning()) reply->abort();
  // Deleted later and not with this request: a request often dies inside its reply's finished()
  // signal, and a reply destroyed there makes the transport drop the keep-alive connection.
  reply->setParent(nullptr);
  reply->deleteLater();
}

void RestRequest::onMetaData() {
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
    abortTransfer(kRestHeadersTooLarge, QStringLiteral("The response headers exceed the limit (%1)").arg(loggableURL(m_url)));
    return;
  }
  const QVariant declared = m_reply->header(QNetworkRequest::ContentLengthHeader);
  if (declared.isValid() && declared.toLongLong() > m_maximumResponseBodySize) {
    abortTransfer(kRestResponseTooLarge, QStringLiteral("The response body of %1 bytes exceeds the limit of %2 bytes (%3)")
                                             .arg(declared.toLongLong())
                                             .arg(m_maximumResponseBodySize)
                                             .arg(loggableURL(m_url)));
  }
}

void RestRequest::onReadyRead() {
  if (!m_reply || !m_loadingResponse) return;
  const auto keepAlive = weak_from_this().lock();
  touch();
  const QByteArray chunk = m_reply->readAll();
  if (chunk.isEmpty()) return;
  if (m_loadingResponse->body().size() + chunk.size() > m_maximumResponseBodySize) {
    abortTransfer(kRestResponseTooLarge, QStringLiteral("The response body exceeds the limit of %1 bytes (%2)")
                                             .arg(m_maximumResponseBodySize)
                                             .arg(loggableURL(m_url)));
    return;
  }
  m_loadingResponse->appendBody(chunk);
  if (m_delegate) {
    const QVariant expected = m_reply->header(QNetworkRequest::ContentLengthHeader);
    m_delegate->requestDidReceivedDataTotalBytesReceivedTotalBytesExectedToReceive(
        this, chunk.size(), m_loadingResponse->body().size(), expected.isValid() ? expected.toLongLong() : -1);
  }
}

void RestRequest::onRedirected(const QUrl& target) {
  if (!m_reply) return;
  touch();
  // Another scheme, host or port would receive what this request carries: the password digest
  // of a sign-in, the session of a read.
  // (The reply already names the target as its URL: the origin is the request's own.)
  const QUrl& from = m_url;
  const QUrl to = from.resolved(target);
  const bool sameOrigin = to.scheme().compare(from.scheme(), Qt::CaseInsensitive) == 0 &&
                          to.host().compare(from.host(), Qt::CaseInsensitive) == 0 &&
                          to.port(defaultPort(to.scheme())) == from.port(defaultPort(from.scheme()));
  if (sameOrigin) {
    emit m_reply->redirectAllowed();
    return;
  }
  abortTransfer(kRestProtocolError, QStringLiteral("Redirected to another origin (%1), which is not followed (%2)")
                                        .arg(loggableURL(to), loggableURL(m_url)));
}

void RestRequest::onSslErrors(const QList<QSslError>& errors) {
  if (!m_reply) return;
  if (admitServerCertificate(errors)) m_reply->ignoreSslErrors(errors);
}

void RestRequest::onEncrypted() {
  // A certificate the platform validated must still be the one a pinned server is known by. The
  // handshake is over and nothing has been written yet.
  if (m_reply && !admitServerCertificate({}))
    abortTransfer(kRestTLSFailure, QStringLiteral("The server's certificate is not the one it is known by (%1)").arg(serverKey(m_url)));
}

bool RestRequest::admitServerCertificate(const QList<QSslError>& errors) {
  const auto shared = RestClient::sharedClient();
  const bool useExceptions = shared && shared->disableCertificateValidation();
  const QList<QSslCertificate> chain = m_reply->sslConfiguration().peerCertificateChain();
  const QString server = serverKey(m_url);
  const CertificateVerdict verdict = tls::judgeServer(server, errors, chain, useExceptions);
  if (verdict == CertificateVerdict::Trusted) return true;
  QStringList texts;
  if (verdict == CertificateVerdict::NotExpected) texts << QStringLiteral("not the certificate expected of this server");
  for (const QSslError& error : errors) texts << error.errorString();
  qCWarning(lcRestNetwork).noquote() << "Server certificate refused for" << server << ":" << texts.join(QStringLiteral("; "));
  postNotification(RestServerCertificateRefusedNotification,
                   {{RestServerCertificateRefusalKey, CertificateRefusal{server, chain.value(0), verdict}}});
  return false;
}

void RestRequest::onFinished() {
  if (!m_reply) return;
  const auto keepAlive = weak_from_this().lock();
  if (m_abortCode == 0) onReadyRead();
  if (!m_reply) return;  // the delegate cancelled from its progress callback
  QNetworkReply* reply = m_reply;
  std::shared_ptr<RestResponse> response = std::move(m_loadingResponse);
  unwatchTransfer();
  const int abortCode = std::exchange(m_abortCode, 0);
  const QNetworkReply::NetworkError error = reply->error();
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  const QUrl url = reply->url();
  auto headers = reply->rawHeaderPairs();
  const QString errorText = error != QNetworkReply::NoError ? reply->errorString() : QString();
  dropReply();

  if (abortCode != 0) {
    didFailLoadWithError(restError(abortCode, m_abortMessage));
    return;
  }
  if (error != QNetworkReply::NoError && !(status.isValid() && isStatusError(error))) {
    didFailLoadWithError(restErrorFromReply(error, errorText, loggableURL(m_url)));
    return;
  }
  if (!status.isValid()) {
    didFailLoadWithError(restError(kRestProtocolError, QStringLiteral("No HTTP status in the answer (%1)").arg(loggableURL(m_url))));
    return;
  }
  if (status.toInt() == 304 && m_sentEntityTag && !m_withoutEntityTag && !cacheHasResponse()) {
    // The entry that made the request conditional went away (invalidated or damaged) before the
    // answer came: a bare 304 would be reported as an empty success, so ask for the whole answer.
    qCInfo(lcRestCache) << "Cached answer gone before its revalidation; sending again unconditionally";
    m_withoutEntityTag = true;
    prepareURLRequest();
    startTransfer();
    return;
  }
  response->setHTTPResponse(status.toInt(), std::move(headers), url);
  // A body shorter than announced is a broken answer, never a success.
  const QString length = response->contentLength();
  if (!isHEAD() && !length.isEmpty() && response->headerValue(QStringLiteral("Content-Encoding")).isEmpty() &&
      status.toInt() != 304 && status.toInt() != 204 && length.toLongLong() != response->body().size()) {
    didFailLoadWithError(restError(kRestConnectionClosed, QStringLiteral("The answer ended after %1 of %2 bytes (%3)")
                                                           .arg(response->body().size())
                                                           .arg(length)
                                                           .arg(loggableURL(m_url))));
    return;
  }
  didFinishLoad(response);
}

// --- Completion

void RestRequest::postNotification(const char* name, foundation::UserInfo info) {
  foundation::NotificationCenter::defaultCenter().post(name, static_cast<const RestRequest*>(this), std::move(info));
}

void RestRequest::releaseSelf() {
  // The last reference may be this one: release it after everything else.
  auto self = std::move(m_self);
  self.reset();
}

void RestRequest::didFinishLoad(const std::shared_ptr<RestResponse>& response) {
  auto keepAlive = std::move(m_self);
  const auto final = completeLoad(response);
  if (m_delegate) m_delegate->requestDidLoadResponse(this, final.get());
  if (final->isServiceUnavailable()) postNotification(RestServiceDidBecomeUnavailableNotification);
  postNotification(RestRequestDidLoadResponseNotification,
                   {{RestRequestDidLoadResponseNotificationUserInfoResponseKey, final.get()}});
}

std::shared_ptr<RestResponse> RestRequest::completeLoad(const std::shared_ptr<RestResponse>& response) {
  m_isLoading = false;
  m_isLoaded = true;
  std::shared_ptr<RestResponse> final = response;
  if (m_cache && m_cachePolicy != RestRequestCachePolicyNone) {
    // Only a 304 to the validator this request sent stands for the stored answer; any other 304
    // is delivered as it came.
    if ((m_cachePolicy & RestRequestCachePolicyEtag) && response->isNotModified()) {
      if (!m_sentEntityTag || m_withoutEntityTag || response->wasLoadedFromCache() || !cacheHasResponse()) {
        m_response = final;
        return final;
      }
      if (auto cached = cachedResponse()) {
        final = cached;
        m_cache->setCacheDateForRequest(foundation::scheduler().now(), this);
      }
    } else if (m_cachePolicy != RestRequestCachePolicyNone && !response->wasLoadedFromCache() && response->statusCode() >= 200 &&
               response->statusCode() < 300) {
      m_cache->storeResponseForRequest(response.get(), this);
    }
  }
  m_response = final;
  return final;
}

void RestRequest::didFailLoadWithError(const foundation::Error& error) {
  auto keepAlive = std::move(m_self);
  if (answerFromCacheOnError()) return;
  completeFailure(error);
  if (m_delegate) m_delegate->requestDidFailLoadWithError(this, error);
  postNotification(RestRequestDidFailWithErrorNotification, {{RestRequestDidFailWithErrorNotificationUserInfoErrorKey, error}});
}

bool RestRequest::answerFromCacheOnError() {
  if ((m_cachePolicy & RestRequestCachePolicyLoadOnError) && cacheHasResponse()) {
    if (auto cached = cachedResponse()) {
      m_isLoading = true;
      didFinishLoad(cached);
      return true;
    }
  }
  return false;
}

void RestRequest::completeFailure(const foundation::Error& error) {
  m_isLoading = false;
  m_response = std::make_shared<RestResponse>(this);
  m_response->setFailureError(error);
}

std::shared_ptr<RestResponse> RestRequest::sendSynchronously() {
  if (m_isLoading || m_isLoaded) qFatal("Cannot send a request that is loading or loaded without resetting it first.");
  m_sentSynchronously = true;
  m_withoutEntityTag = false;
  m_storedHeaders.reset();
  if (answeredFromStoreOnly()) return m_response;
  if (shouldLoadFromCache()) {
    if (auto cached = cachedResponse()) {
      m_isLoading = true;
      didFinishLoad(cached);
      return m_response;
    }
  }
  if (unreachable()) {
    if ((m_cachePolicy & RestRequestCachePolicyLoadIfOffline) && cacheHasResponse()) {
      if (auto cached = cachedResponse()) {
        m_isLoading = true;
        didFinishLoad(cached);
        return m_response;
      }
    }
    qCCritical(lcRestNetwork).noquote() << QStringLiteral("Failed to send request to %1 due to unreachable network. Reachability observer = %2")
                                               .arg(loggableURL(m_url), m_reachabilityObserver->description());
    didFailLoadWithError(unreachableError());
    return m_response;
  }
  prepareURLRequest();
  postNotification(RestRequestSentNotification);
  m_isLoading = true;
  const auto keepAlive = weak_from_this().lock();
  if (m_delegate) m_delegate->requestDidStartLoad(this);
  if (!m_isLoading) return m_response;
  startTransfer();
  // The transport is asynchronous; a local loop turns it into the blocking call. The request ends
  // (answer, failure, timeout or cancel) by dropping its reply.
  QEventLoop loop;
  while (m_reply) loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
  return m_response;
}

void RestRequest::cancel() {
  if (auto queue = m_queue.lock(); queue && queue->containsRequest(this)) {
    queue->cancelRequest(this);
    return;
  }
  cancelLoad(true);
}

void RestRequest::cancelLoad(bool informDelegate) {
  const bool wasLoading = m_isLoading;
  auto keepAlive = std::move(m_self);
  if (!keepAlive) keepAlive = weak_from_this().lock();
  unwatchTransfer();
  dropReply();
  m_loadingResponse.reset();
  m_isLoading = false;
  const bool stoppedDelivery = cancelDelivery();
  if ((wasLoading || stoppedDelivery) && informDelegate && m_delegate) m_delegate->requestDidCancelLoad(this);
}

void RestRequest::reset() {
  if (m_isLoading) {
    qCWarning(lcRestNetwork).noquote() << QStringLiteral("Request was reset while loading: %1. Canceling.").arg(loggableURL(m_url));
    cancel();
  }
  m_URLRequest = QNetworkRequest(m_url);
  m_preparedHeaders.clear();
  m_isLoading = false;
  m_isLoaded = false;
}

}  // namespace rest
