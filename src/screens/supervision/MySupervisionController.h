#pragma once
// The camera screen: one page per camera with its still picture, refreshed in turn every 5 s; a
// play button per page that starts the camera's live video (with pan/tilt and record commands
// while it plays); the stored recordings below the pages, each of which can be played back.
//
// While a video plays the screen is in video mode: the pages and the list give way to the player
// on black, and the device may turn to landscape. One video at a time: a start while another is
// being prepared or plays is refused.
#include "backend/BESessionManager.h"
#include "backend/ServiceCalls.h"
#include "controls/TourStates.h"
#include "controls/camera/CameraImageCycle.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include "ui/Screen.h"
#include "ui/ScrollView.h"

#include <QHash>
#include <QImage>
#include <QPointer>

#include <memory>

class BEServiceCamera;
class CustomMoviePlayerViewController;
class CustomPageControl;
class CustomPanAndZoom;
class LivePlaylistProbe;
class MyRecTableViewController;
class VODevice;
class VOVideoRec;

namespace ui {
class Button;
class ImageView;
class Label;
}  // namespace ui

class MySupervisionController : public ui::Screen, public controls::TourStates, private ui::ScrollViewDelegate {
  Q_OBJECT
 public:
  // The player is started at the latest this long after the video start answer; sooner as soon
  // as the camera's playlist lists a segment.
  static constexpr double kPlayerStartMaxSeconds = 25.0;
  static constexpr int kImageTagBase = 10000;
  static constexpr int kStripHeight = 240;
  static constexpr int kRecordingsHeaderHeight = 28;
  static constexpr int kEmptyRecordingsHeight = 128;

  explicit MySupervisionController(QObject* parent = nullptr);
  ~MySupervisionController() override;

  // --- What the screen shows (tests and the tour read it) ---
  const backend::RecordList<VODevice>& cameraSensors() const { return m_cameraSensors; }
  const std::shared_ptr<VODevice>& selectedCamera() const { return m_selectedCamera; }
  CustomPageControl* videoPageControl() const { return m_videoPageControl; }
  MyRecTableViewController* listRecTableView() const { return m_listRec.get(); }
  ui::ScrollView* recordingsScrollView() const { return m_listRecScroll; }
  CustomMoviePlayerViewController* moviePlayer() const { return m_player.get(); }
  QWidget* overlay() const { return m_overlay; }
  ui::ImageView* recInfo() const { return m_recInfo; }
  CustomPanAndZoom* panAndZoom() const { return m_panAndZoom; }
  ui::Label* loadingLabel() const { return m_lblLoad; }
  ui::ImageView* pictureOfPage(int page) const;
  ui::Button* playButtonOfPage(int page) const;
  const controls::CameraImageCycle& imageCycle() const { return m_imageCycle; }
  bool isVideoMode() const { return m_videoMode; }
  // A video start is on its way (service answer or stream not ready yet).
  bool isStartPending() const { return m_startPending; }
  bool pagesVisible() const { return m_pagesVisible; }

  // --- Actions ---
  // The play button of the page on show: starts that camera's live video.
  void playCurrentCamera();
  // Shows the page of `page` (by index of cameraSensors).
  void showCameraPage(int page);

  bool shouldAutorotateToInterfaceOrientation(ui::Orientation orientation) const override;
  void willRotateToInterfaceOrientation(ui::Orientation to, double duration) override;

  std::vector<State> tourStates() override;

 protected:
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class VideoKind { Live, Playback };

  void onDeviceList();
  void onRecList();
  void refreshRecordings();
  void buildPages();
  void buildRecordings();
  void layoutBrowsing();
  void showImage(int index, const QString& serial, const QByteArray& data);

  void onVideoStarted();
  void onPlaybackSelected();
  void onPlaybackServer();
  void startPlayer(VideoKind kind);
  void discardPlayer();
  void enterVideoMode();
  void leaveVideoMode();
  void layoutVideo();
  void onRecord();
  void onRecordStarted();
  void pan(backend::ReplyPtr (BEServiceCamera::*command)(const QString& serial));
  void showHud(bool show);

  void scrollViewDidScroll(ui::ScrollView* scrollView) override;
  void collapsePages();
  void expandPages();

  backend::ServiceCalls m_calls;
  foundation::Observations m_observations;
  controls::CameraImageCycle m_imageCycle;
  std::unique_ptr<LivePlaylistProbe> m_probe;

  backend::RecordList<VODevice> m_cameraSensors;
  std::shared_ptr<VODevice> m_selectedCamera;
  std::shared_ptr<VOVideoRec> m_playbackRec;
  // The last picture of each camera, by serial: a rebuilt page shows it at once.
  QHash<QString, QImage> m_pictures;

  bool m_startPending = false;
  bool m_videoMode = false;
  VideoKind m_videoKind = VideoKind::Live;
  bool m_wasInLandscape = false;
  bool m_needsRotationBack = false;
  bool m_leaveAfterRotation = false;
  bool m_pagesVisible = true;

  CustomPageControl* m_videoPageControl = nullptr;
  QWidget* m_recArea = nullptr;
  ui::Label* m_recHeader = nullptr;
  ui::ScrollView* m_listRecScroll = nullptr;
  std::unique_ptr<MyRecTableViewController> m_listRec;
  std::unique_ptr<CustomMoviePlayerViewController> m_player;
  QWidget* m_overlay = nullptr;
  ui::ImageView* m_recInfo = nullptr;
  CustomPanAndZoom* m_panAndZoom = nullptr;
  ui::Label* m_lblLoad = nullptr;
  ui::Label* m_videoCaption = nullptr;
  ui::Label* m_videoHint = nullptr;
};
