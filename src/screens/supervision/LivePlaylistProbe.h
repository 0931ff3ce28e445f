#pragma once
// Waits for a live stream to have something to play: asks for its HLS playlist at most once a
// second until the answer lists a media segment, then calls back. A camera needs a few seconds
// after the video start before its stream exists; the player is started at the latest after the
// deadline, playlist or not (it then reports what it finds).
#include "foundation/Timer.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>

class QNetworkReply;

class LivePlaylistProbe : public QObject {
  Q_OBJECT
 public:
  static constexpr double kPollSeconds = 1.0;

  explicit LivePlaylistProbe(QObject* parent = nullptr);
  ~LivePlaylistProbe() override;

  // Starts over (a probe already running is cancelled). `ready` runs once: when the playlist
  // lists a segment, or after `deadlineSeconds`.
  void start(const QUrl& playlist, double deadlineSeconds, std::function<void()> ready);
  void cancel();
  bool isRunning() const { return bool(m_ready); }
  int requestCount() const { return m_requests; }

  // Whether an HLS playlist lists at least one media segment or variant stream.
  static bool listsMedia(const QByteArray& playlist);

 private:
  void poll();
  void answered(QNetworkReply* reply);
  void done();

  QUrl m_url;
  std::function<void()> m_ready;
  foundation::Timer m_deadline;
  foundation::Timer m_next;
  QPointer<QNetworkReply> m_reply;
  bool m_waitingForPollTime = false;
  int m_requests = 0;
};
