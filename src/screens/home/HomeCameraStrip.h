#pragma once
// The dashboard's strip of cameras: one page per camera of the stored dashboard with its still
// picture, the pictures asked for in turn (controls::CameraImageCycle, the first after 5 s divided
// by the number of cameras), or one page saying there is no camera. The pages are made again only
// when the cameras change; the strip keeps the page it showed.
#include "backend/BESessionManager.h"
#include "controls/camera/CameraImageCycle.h"
#include "controls/camera/CustomPageControl.h"

#include <QPointer>
#include <QStringList>

namespace ui {
class ImageView;
}

class HomeCameraStrip {
 public:
  static constexpr int kImageTagBase = 10000;

  HomeCameraStrip();
  ~HomeCameraStrip();
  HomeCameraStrip(const HomeCameraStrip&) = delete;
  HomeCameraStrip& operator=(const HomeCameraStrip&) = delete;

  // Reads the cameras of the stored dashboard. When they changed (or there are no pages yet) the
  // pages are made again in `root` at `frame`, under `above`, shown or not. The image cycle runs
  // while there are cameras.
  void update(QWidget* root, const QRect& frame, bool visible, QWidget* above);
  void stop() { m_cycle.stop(); }

  const backend::RecordList<VODeviceLight>& cameras() const { return m_cameras; }
  CustomPageControl* pageControl() const { return m_pages; }
  // The image view of camera `index` (tag 10000 + index), if there is one.
  ui::ImageView* imageView(int index) const;
  const controls::CameraImageCycle& cycle() const { return m_cycle; }

 private:
  void makePages(QWidget* root, const QRect& frame);
  void showImage(const QString& serial, const QByteArray& data);

  backend::RecordList<VODeviceLight> m_cameras;
  QStringList m_shownCameras;  // serial and name of each page, to know when the pages must change
  QPointer<CustomPageControl> m_pages;
  controls::CameraImageCycle m_cycle;
};
