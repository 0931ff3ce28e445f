#pragma once
// The camera screen: one page per camera with its still picture, refreshed in turn every 5 s; a
// play button per page that starts the camera's live video (with pan/tilt and record commands
// while it plays); the stored recordings below the pages, each of which can be played back.
//
// While a video plays the screen is in video mode: the pages and the list give way to the player
// on black, and the device may turn to landscape. The video itself, from the start to its end, is
// a VideoSession the screen drives. One video at a time: a start while another is being prepared
// or plays is refused.
#include "backend/BESessionManager.h"
#include "backend/ServiceCalls.h"
#include "controls/TourStates.h"
#include "controls/camera/CameraImageCycle.h"
#include "screens/supervision/VideoSession.h"
#include "ui/Screen.h"
#include "ui/ScrollView.h"

#include <QHash>
#include <QImage>
#include <QPointer>

#include <memory>

class CustomMoviePlayerViewController;
class CustomPageControl;
class CustomPanAndZoom;
class MyRecTableViewController;
class VODevice;

namespace ui {
class Button;
class ImageView;
class Label;
}  // namespace ui

class MySupervisionController : public ui::Screen, public controls::TourStates, private ui::ScrollViewDelegate {
  Q_OBJECT
 public:
  static constexpr double kPlayerStartMaxSeconds = VideoSession::kPlayerStartMaxSeconds;
  static constexpr int kImageTagBase = 10000;
  static constexpr int kStripHeight = 240;
  static constexpr int kRecordingsHeaderHeight = 28;
  static constexpr int kEmptyRecordingsHeight = 128;

  explicit MySupervisionController(QObject* parent = nullptr);
  ~MySupervisionController() override;

  // --- What the screen shows (tests and the tour read it) ---
  const backend::RecordList<VODevice>& cameraSensors() const { return m_cameraSensors; }
  const std::shared_ptr<VODevice>& selectedCamera() const { return m_video->camera(); }
  CustomPageControl* videoPageControl() const { return m_videoPageControl; }
  MyRecTableViewController* listRecTableView() const { return m_listRec.get(); }
  ui::ScrollView* recordingsScrollView() const { return m_listRecScroll; }
  VideoSession* videoSession() const { return m_video.get(); }
  CustomMoviePlayerViewController* moviePlayer() const { return m_video->player(); }
  QWidget* overlay() const { return m_video->touchArea(); }
  ui::ImageView* recInfo() const { return m_video->recInfo(); }
  CustomPanAndZoom* panAndZoom() const { return m_video->panel(); }
  ui::Label* loadingLabel() const { return m_lblLoad; }
  ui::ImageView* pictureOfPage(int page) const;
  ui::Button* playButtonOfPage(int page) const;
  const controls::CameraImageCycle& imageCycle() const { return m_imageCycle; }
  bool isVideoMode() const { return m_videoMode; }
  // A video start is on its way (service answer or stream not ready yet).
  bool isStartPending() const { return m_video->isStartPending(); }
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
  void onDeviceList();
  void onRecList();
  void refreshRecordings(bool overlay = false);
  // The pages and the list from the session store's cameras and recordings.
  void rebuild();
  void buildPages();
  void buildRecordings();
  void layoutBrowsing();
  void showImage(int index, const QString& serial, const QByteArray& data);

  void enterVideoMode();
  void leaveVideoMode();
  void layoutVideo();

  void scrollViewDidScroll(ui::ScrollView* scrollView) override;
  void slidePages(bool visible);

  backend::ServiceCalls m_calls;
  controls::CameraImageCycle m_imageCycle;
  std::unique_ptr<VideoSession> m_video;

  backend::RecordList<VODevice> m_cameraSensors;
  // The last picture of each camera, by serial: a rebuilt page shows it at once.
  QHash<QString, QImage> m_pictures;

  bool m_videoMode = false;
  bool m_needsRotationBack = false;
  bool m_leaveAfterRotation = false;
  bool m_pagesVisible = true;

  CustomPageControl* m_videoPageControl = nullptr;
  QWidget* m_recArea = nullptr;
  ui::Label* m_recHeader = nullptr;
  ui::ScrollView* m_listRecScroll = nullptr;
  std::unique_ptr<MyRecTableViewController> m_listRec;
  ui::Label* m_lblLoad = nullptr;
  ui::Label* m_videoCaption = nullptr;
  ui::Label* m_videoHint = nullptr;
};
