#pragma once
// Plays one stream and hands over its decoded frames. The player itself lives in a module of its
// own, `tb_video` (Qt Multimedia, and the sound and codec libraries that come with it), loaded the
// first time a video plays: mapping those twenty-odd libraries cost every start of the app about
// 4 ms, for a screen many starts never open.
#include <QImage>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class VideoPlayback {
 public:
  // Called on the main thread. `failed` and `ended` come at most once per stream, never after
  // stop() or play() replaced it.
  struct Listener {
    std::function<void(const QImage&)> frame;    // each decoded frame, in order
    std::function<void()> ended;                 // the stream ended by itself
    std::function<void(const QString&)> failed;  // it cannot be played, and why
  };

  virtual ~VideoPlayback() = default;

  // Starts `source`, replacing the stream on (which then says nothing more).
  virtual void play(const QUrl& source) = 0;
  // Ends the stream on, quietly.
  virtual void stop() = 0;
  virtual QUrl source() const = 0;

  // A player from the video module, or null (with the reason in `why`) when the module cannot be
  // loaded. The module stays loaded once it has been.
  static std::unique_ptr<VideoPlayback> create(Listener listener, QString* why);

  // Where the module is looked for, in turn: TB_VIDEO_MODULE when set (an absolute path; a relative
  // one is refused, with the reason in `problem`), else places fixed relative to the program.
  static QStringList modulePlaces(QString* problem);
};

// The module's one entry point.
using VideoPlaybackFactory = VideoPlayback* (*)(VideoPlayback::Listener listener);
inline constexpr const char* kVideoPlaybackFactoryName = "tb_create_video_playback";
