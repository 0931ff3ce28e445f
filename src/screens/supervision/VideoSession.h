#pragma once
// One video of the supervision screen from the tap on play to its end: the camera's video start
// (or the recording server's address), the wait for the live playlist, the player, and what lies
// over the picture (the touch area, the pan panel, the "on air" badge). The screen drives it and
// hears from it only through its signals; its calls, probe and timers go with it.
//
// The camera keeps a video session open from the start answer on. The player closes it when its
// stream ends; until the player has taken over, this object does: when the answer names no stream
// server, and when it goes before the player started.
#include "backend/BESessionManager.h"
#include "backend/ServiceCalls.h"
#include "controls/camera/CustomPanAndZoom.h"
#include "ui/ImageView.h"

#include <QObject>
#include <QPointer>
#include <QRect>

#include <memory>

class BEServiceCamera;
class CustomMoviePlayerViewController;
class LivePlaylistProbe;
class VODevice;
class VOVideoRec;

class VideoSession : public QObject {
  Q_OBJECT
 public:
  // The player is started at the latest this long after the video start answer; sooner as soon
  // as the camera's playlist lists a segment.
  static constexpr double kPlayerStartMaxSeconds = 25.0;

  explicit VideoSession(QObject* parent = nullptr);
  ~VideoSession() override;
  // Where the player and the controls over it are made.
  void setHost(QWidget* host) { m_host = host; }

  // The live video of `camera`; a recording's playback (an alert says why a recording cannot be
  // played). Both refuse while another start is out or a stream is on.
  void startLive(const std::shared_ptr<VODevice>& camera);
  void startPlayback(const std::shared_ptr<VOVideoRec>& rec);
  // A start is on its way (service answer or stream not ready yet).
  bool isStartPending() const { return m_startPending; }
  bool isBusy() const;

  // The camera of the live video asked for last; null before any.
  const std::shared_ptr<VODevice>& camera() const { return m_camera; }
  // What the screen writes above the video.
  QString caption() const;

  CustomMoviePlayerViewController* player() const { return m_player.get(); }
  QWidget* touchArea() const { return m_touchArea; }
  CustomPanAndZoom* panel() const { return m_panel; }
  ui::ImageView* recInfo() const { return m_recInfo; }

  // The video menu (the pan panel), opened by a tap on the playing video.
  void showMenu();
  void hideMenu();
  // Places the player and the controls over it in `bounds`, then raises what lies above.
  void layout(const QRect& bounds, bool landscape);
  void raiseControls();
  // Hides the touch area and the menu; with `everything`, the picture and the badge too.
  void hide(bool everything);

 signals:
  // The player is made and about to play: the screen turns to video mode.
  void playerReady();
  void firstFrame();
  void stopped();
  void menuVisibleChanged(bool visible);
  // A recording was started on the camera: it joins the list.
  void recordingStarted();

 private:
  void onVideoStarted();
  void onPlaybackServer();
  void startPlayer(bool live);
  void discardPlayer();
  void closeCameraSession();
  void pan(backend::ReplyPtr (BEServiceCamera::*command)(const QString& serial));
  void record();

  QPointer<QWidget> m_host;
  backend::ServiceCalls m_calls;
  std::unique_ptr<LivePlaylistProbe> m_probe;
  std::unique_ptr<CustomMoviePlayerViewController> m_player;
  QPointer<QWidget> m_touchArea;
  QPointer<CustomPanAndZoom> m_panel;
  QPointer<ui::ImageView> m_recInfo;

  std::shared_ptr<VODevice> m_camera;
  std::shared_ptr<VOVideoRec> m_playbackRec;
  bool m_live = true;
  bool m_startPending = false;
  // The camera answered the start and the player has not taken the session over yet.
  bool m_cameraSessionOpen = false;
  bool m_recordPending = false;
};
