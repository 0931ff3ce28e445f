// The video module: a VideoPlayback on Qt Multimedia, its frames taken from a QVideoSink so that
// the screen paints them itself (grabbing the window shows the video, which a platform video
// widget does not allow).
#include "screens/supervision/VideoPlayback.h"

#include <QMediaPlayer>
#include <QVideoFrame>
#include <QVideoSink>

namespace {

class QtVideoPlayback final : public VideoPlayback {
 public:
  explicit QtVideoPlayback(Listener listener) : m_listener(std::move(listener)) {
    m_player.setVideoSink(&m_sink);
    QObject::connect(&m_sink, &QVideoSink::videoFrameChanged, &m_context, [this](const QVideoFrame& frame) {
      if (!m_on || !frame.isValid()) return;
      QImage image = frame.toImage();
      if (!image.isNull() && m_listener.frame) m_listener.frame(image);
    });
    QObject::connect(&m_player, &QMediaPlayer::mediaStatusChanged, &m_context, [this](QMediaPlayer::MediaStatus status) {
      // A playlist that cannot be read leaves the playback state at "playing": the media status
      // is what tells.
      if (status == QMediaPlayer::InvalidMedia) fail(m_player.errorString());
      else if (status == QMediaPlayer::EndOfMedia) end();
    });
    QObject::connect(&m_player, &QMediaPlayer::errorOccurred, &m_context, [this](QMediaPlayer::Error error, const QString& text) {
      if (error != QMediaPlayer::NoError) fail(text);
    });
    QObject::connect(&m_player, &QMediaPlayer::playbackStateChanged, &m_context, [this](QMediaPlayer::PlaybackState state) {
      // A player that stops by itself has ended its stream.
      if (state == QMediaPlayer::StoppedState) end();
    });
  }

  ~QtVideoPlayback() override {
    m_on = false;
    m_player.stop();
  }

  void play(const QUrl& source) override {
    m_on = false;
    m_player.stop();
    m_on = true;
    m_player.setSource(source);
    m_player.play();
  }

  void stop() override {
    m_on = false;
    m_player.stop();
  }

  QUrl source() const override { return m_player.source(); }

 private:
  void end() {
    if (!m_on) return;
    m_on = false;
    if (m_listener.ended) m_listener.ended();
  }
  void fail(const QString& why) {
    if (!m_on) return;
    m_on = false;
    if (m_listener.failed) m_listener.failed(why);
  }

  Listener m_listener;
  QVideoSink m_sink;
  QMediaPlayer m_player;  // goes before its sink
  QObject m_context;      // goes first: no call reaches a half-destroyed player
  bool m_on = false;      // a stream is on and has not said how it ended
};

}  // namespace

extern "C" Q_DECL_EXPORT VideoPlayback* tb_create_video_playback(VideoPlayback::Listener listener) {
  return new QtVideoPlayback(std::move(listener));
}
