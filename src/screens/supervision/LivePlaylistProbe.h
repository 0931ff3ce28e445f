#pragma once
// Waits for a live stream to have something to play: asks for its HLS playlist at most once a
// second until the answer lists a media segment, then calls back. A camera needs a few seconds
// after the video start before its stream exists; the player is started at the latest after the
// deadline, playlist or not (it then reports what it finds).
//
// A playlist is small: an answer is read as it arrives, through a bounded buffer, and one that
// grows past kPlaylistMaxBytes is cut off and counts as no playlist (an endless body costs
// neither memory nor the 25 s).
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
  static constexpr qint64 kPlaylistMaxBytes = 256 * 1024;

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
  void arrived(QNetworkReply* reply);
  void answered(QNetworkReply* reply);
  void done();

  QUrl m_url;
  std::function<void()> m_ready;
  foundation::Timer m_deadline;
  foundation::Timer m_next;
  QPointer<QNetworkReply> m_reply;
  QByteArray m_body;
  bool m_waitingForPollTime = false;
  int m_requests = 0;
};
