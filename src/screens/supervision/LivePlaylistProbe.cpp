#include "screens/supervision/LivePlaylistProbe.h"

#include "rest/network/RestTransport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {
constexpr int kPlaylistMaxBytes = 256 * 1024;
constexpr int kRequestTimeoutMs = 5000;
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
  m_reply = reply;
  connect(reply, &QNetworkReply::finished, this, [this, reply] { answered(reply); });
}

void LivePlaylistProbe::answered(QNetworkReply* reply) {
  reply->deleteLater();
  if (reply != m_reply) return;
  m_reply = nullptr;
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const QByteArray body = reply->read(kPlaylistMaxBytes);
  if (reply->error() == QNetworkReply::NoError && status == 200 && listsMedia(body)) {
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
