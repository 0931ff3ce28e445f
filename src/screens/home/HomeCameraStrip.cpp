#include "screens/home/HomeCameraStrip.h"

#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

namespace {

const QColor kStripColor = ui::rgb(0.369, 0.384, 0.404);

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

bool isCamera(const VODeviceLight& device) {
  const QString type = text(device.type);
  return type == QLatin1String("FCAM") || type == QLatin1String("RCAM") || type == QLatin1String("OCAM");
}

}  // namespace

HomeCameraStrip::HomeCameraStrip()
    : m_cycle([this](int, const QString& serial, const QByteArray& data) { showImage(serial, data); },
              controls::CameraImageCycle::FirstImage::Staggered) {}

HomeCameraStrip::~HomeCameraStrip() { m_cycle.stop(); }

void HomeCameraStrip::update(QWidget* root, const QRect& frame, bool visible, QWidget* above) {
  m_cameras.clear();
  if (const auto& dashboard = BESessionManager::getInstance().dashboard())
    for (const auto& device : dashboard->cameras)
      if (device && isCamera(*device)) m_cameras.push_back(device);
  QStringList cameras, serials;
  for (const auto& camera : m_cameras) {
    cameras << text(camera->serial) + QLatin1Char('\n') + text(camera->name);
    serials << text(camera->serial);
  }
  m_cycle.setCameras(serials);
  if (cameras != m_shownCameras || !m_pages) {
    m_shownCameras = cameras;
    makePages(root, frame);
    m_pages->setVisible(visible);
    if (above) m_pages->stackUnder(above);
  }
  if (m_cameras.empty()) {
    m_cycle.stop();
  } else {
    m_cycle.start();  // unless one runs already
  }
}

void HomeCameraStrip::makePages(QWidget* root, const QRect& frame) {
  int page = 0;
  if (m_pages) {
    page = m_pages->currentPage();
    delete m_pages.data();
  }
  const int n = int(m_cameras.size());
  if (n == 0) {
    m_pages = new CustomPageControl(frame, 1, QStringList{QString()}, kStripColor, root);
    auto* page0 = new QWidget();
    auto* icon = new ui::ImageView(QStringLiteral("home_no_camera.png"), page0);
    icon->move((320 - 48) / 2, 22);
    auto* label = new ui::Label(QRect(20, 76, 280, 44), page0);
    label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 18));
    label->setTextColor(Qt::white);
    label->setNumberOfLines(2);
    label->setObjectName(QStringLiteral("noCameraLabel"));
    label->setTextAlignment(Qt::AlignHCenter);
    label->setText(foundation::localized("No added camera"));
    m_pages->loadScrollViewWithPageAndView(0, page0);
    m_pages->show();
    return;
  }
  QStringList titles;
  for (const auto& camera : m_cameras) titles << text(camera->name);
  m_pages = new CustomPageControl(frame, n, titles, kStripColor, root);
  for (int i = 0; i < n; ++i) {
    // Until its first picture a page shows a camera, faintly.
    auto* waiting = new ui::ImageView(QStringLiteral("home_camera_wait.png"), nullptr);
    waiting->setContentMode(ui::ImageView::ContentMode::Center);
    m_pages->loadScrollViewWithPageAndView(i, waiting);
    auto* image = new ui::ImageView(m_pages);
    image->setContentMode(ui::ImageView::ContentMode::AspectFill);
    ui::setTag(image, kImageTagBase + i);
    m_pages->loadScrollViewWithPageAndView(i, image);
  }
  // The strip shows the page it showed, if it still exists.
  if (page > 0 && page < n) m_pages->scrollView()->setContentOffset(QPointF(page * 320, 0));
  m_pages->show();
}

ui::ImageView* HomeCameraStrip::imageView(int index) const {
  if (!m_pages || index < 0 || index >= int(m_cameras.size())) return nullptr;
  return ui::viewWithTag<ui::ImageView>(m_pages->scrollView(), kImageTagBase + index);
}

void HomeCameraStrip::showImage(const QString& serial, const QByteArray& data) {
  const ui::Image image = ui::Image::fromData(data);
  if (image.isNull()) return;
  // The strip may have changed meanwhile: the page is found by its camera.
  for (int i = 0; i < int(m_cameras.size()); ++i)
    if (text(m_cameras[size_t(i)]->serial) == serial)
      if (ui::ImageView* page = imageView(i)) page->setImage(image);
}
