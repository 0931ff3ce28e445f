#include "screens/supervision/LivePlaylistProbe.h"

#include "rest/network/RestTransport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <utility>

namespace {
constexpr int kRequestTimeoutMs = 5000;
constexpr qint64 kReadBufferBytes = 64 * 1024;
}  // namespace

LivePlaylistProbe::LivePlaylistProbe(QObject* parent) : QObject(parent) {}

LivePlaylistProbe::~LivePlaylistProbe() { cancel(); }

bool LivePlaylistProbe::listsMedia(const QByteArray& playlist) {
  if (!playlist.trimmed().startsWith("#EXTM3U")) return false;
  for (const QByteArray& line : playlist.split('\n')) {
    const QByteArray l = line.trimmed();
    if (!l.isEmpty() && !l.startsWith('#')) return true;
  }
  return false;
}

void LivePlaylistProbe::start(const QUrl& playlist, double deadlineSeconds, std::function<void()> ready) {
  cancel();
  m_url = playlist;
  m_ready = std::move(ready);
  m_requests = 0;
  m_deadline.start(deadlineSeconds, false, [this](foundation::Timer&) { done(); });
  poll();
}

void LivePlaylistProbe::cancel() {
  m_ready = nullptr;
  m_body.clear();
  m_deadline.invalidate();
  m_next.invalidate();
  if (m_reply) {
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
  }
}

void LivePlaylistProbe::poll() {
  if (!m_ready) return;
  ++m_requests;
  // The next request goes no sooner than a second after this one, however quick the answer.
  m_waitingForPollTime = true;
  m_next.start(kPollSeconds, false, [this](foundation::Timer&) {
    m_waitingForPollTime = false;
    if (!m_reply) poll();
  });
  QNetworkRequest request(m_url);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setTransferTimeout(kRequestTimeoutMs);
  QNetworkReply* reply = rest::RestTransport::manager()->get(request);
  // The socket is read no further ahead than this; arrived() takes what came.
  reply->setReadBufferSize(kReadBufferBytes);
  m_reply = reply;
  m_body.clear();
  connect(reply, &QNetworkReply::readyRead, this, [this, reply] { arrived(reply); });
  connect(reply, &QNetworkReply::finished, this, [this, reply] { answered(reply); });
}

void LivePlaylistProbe::arrived(QNetworkReply* reply) {
  if (reply != m_reply) return;
  m_body += reply->read(kPlaylistMaxBytes + 1 - m_body.size());
  if (m_body.size() > kPlaylistMaxBytes) {
    // No playlist is that long: stop the transfer (answered() then sees it aborted).
    reply->abort();
  }
}

void LivePlaylistProbe::answered(QNetworkReply* reply) {
  reply->deleteLater();
  if (reply != m_reply) return;
  m_reply = nullptr;
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (reply->error() == QNetworkReply::NoError) m_body += reply->read(kPlaylistMaxBytes + 1 - m_body.size());
  const QByteArray body = std::exchange(m_body, {});
  if (reply->error() == QNetworkReply::NoError && status == 200 && body.size() <= kPlaylistMaxBytes && listsMedia(body)) {
    done();
    return;
  }
  if (!m_waitingForPollTime) poll();
}

void LivePlaylistProbe::done() {
  auto ready = std::move(m_ready);
  cancel();
  if (ready) ready();
}
