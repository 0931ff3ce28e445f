#pragma once
// Plays one HLS stream inside the supervision screen, the address taken from the session store's
// videoURL: the live video of a camera or the playback of a recording. It emits started() when a
// stream starts, firstFrame() once a decoded frame is on show, and stopped() when the stream
// ended, whatever ended it (end of stream, a stream that cannot be played, the video menu's stop,
// the 120 s limit, the screen going). At every end the camera service is told to close the video
// session.
//
// Each start arms its own 120 s stop and cancels the one of the stream before, so a stream always
// gets its full time. The player's timers and media objects die with it.
#include "foundation/Timer.h"
#include "ui/Screen.h"

#include <QPointer>
#include <QUrl>

#include <memory>

class VideoFrameView;
class VideoPlayback;

class CustomMoviePlayerViewController : public ui::Screen {
  Q_OBJECT
 public:
  static constexpr double kStopAfterSeconds = 120.0;
  static constexpr QRect kPortraitFrame{0, 44, 320, 240};
  static constexpr QRect kLandscapeFrame{0, 0, 480, 300};

  enum class FinishReason { Ended, Error, UserExit };

  explicit CustomMoviePlayerViewController(QObject* parent = nullptr);
  ~CustomMoviePlayerViewController() override;

  // Starts playing the session store's videoURL (a stream already on is replaced).
  void startMovieBuffering();
  // Ends the stream on; nothing when none is.
  void stopMoviePlayer();

  // Between startMovieBuffering and the end of that stream.
  bool isStarted() const { return m_started; }
  // A frame of the current stream is on show.
  bool isPlaying() const { return m_playing; }
  VideoFrameView* frameView();
  // The stream asked for last; empty before the first start.
  QUrl source() const { return m_source; }
  // Why the last stream could not be played; empty when it could.
  QString errorString() const { return m_errorString; }

  bool shouldAutorotateToInterfaceOrientation(ui::Orientation) const override { return true; }
  void willRotateToInterfaceOrientation(ui::Orientation to, double duration) override;

 signals:
  void started();
  void firstFrame();
  void stopped(CustomMoviePlayerViewController::FinishReason reason);

 protected:
  void loadView() override;
  void viewDidLoad() override;

 private:
  bool makePlayer();
  void moviePlayBackDidFail(const QString& why);
  void moviePlayBackDidFinish(FinishReason reason);
  void movieFrameShown();

  std::unique_ptr<VideoPlayback> m_player;
  QUrl m_source;
  QString m_errorString;
  VideoFrameView* m_frameView = nullptr;
  foundation::Timer m_stopTimer;
  int m_stream = 0;  // counts the starts
  bool m_started = false;
  bool m_playing = false;
};
