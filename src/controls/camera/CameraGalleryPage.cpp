// The camera controls in the controls gallery: the camera strip (three pages, the dots and the
// title bar) and the pan panel over a picture; the further states turn the strip's page, press an
// arrow and show the panel of a fixed camera (no pan buttons).
#include "controls/camera/CustomPageControl.h"
#include "controls/camera/CustomPanAndZoom.h"
#include "controls/gallery/GalleryPage.h"

#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/Theme.h"
#include "ui/Views.h"

using foundation::localized;

namespace controls::gallery {
namespace {

constexpr int kStripTop = 28;
constexpr int kStripHeight = 120;
constexpr int kPanelTop = kStripTop + kStripHeight + 26;

class CameraGalleryPage : public GalleryPage {
 public:
  CameraGalleryPage() {
    addSectionTitle(localized("kCtrlGalleryCameraStrip"), 10);
    const QStringList titles{localized("kCtrlGalleryCameraFront"), localized("kCtrlGalleryCameraGarden"),
                             localized("kCtrlGalleryCameraStreet")};
    m_strip = new CustomPageControl(QRect(0, kStripTop, kWidth, kStripHeight), int(titles.size()), titles,
                                    ui::themeColor(QStringLiteral("blue")), this);
    for (int page = 0; page < int(titles.size()); ++page) {
      auto* picture = new ui::ImageView(QRect(0, 0, kWidth, m_strip->pageHeight()), nullptr);
      picture->setImageName(QStringLiteral("supervision_camera_placeholder.png"));
      picture->setContentMode(ui::ImageView::ContentMode::AspectFill);
      auto* play = new ui::Button(QRect(), nullptr);
      play->setImageName(QStringLiteral("supervision_iconPlayPlayer.png"));
      play->setContentAlpha(0.7);
      m_strip->loadButtonWithPageAndBtnViewAndImgView(page, play, picture);
    }

    addSectionTitle(localized("kCtrlGalleryPanPanel"), kPanelTop - 18);
    // A night picture under the panel; at its first layout the panel's buttons fit 320 x 240.
    auto* backdrop = new QWidget(this);
    backdrop->setGeometry(0, kPanelTop, kWidth, kHeight - kPanelTop);
    ui::setBackgroundColor(backdrop, QColor(0x16, 0x23, 0x37));
    m_panel = new CustomPanAndZoom(QRect(0, kPanelTop - 6, kWidth, kHeight - kPanelTop + 6), this);
  }

  QString name() const override { return QStringLiteral("camera"); }
  QString title() const override { return localized("kCtrlGalleryCamera"); }
  QStringList states() const override { return {QStringLiteral("pressed"), QStringLiteral("fixed")}; }

  void enterState(const QString& state) override {
    if (state == QLatin1String("pressed")) {
      m_strip->scrollView()->setContentOffset(QPointF(m_strip->pageWidth(), 0));
      tap(m_panel->panLeft());
    } else if (state == QLatin1String("fixed")) {
      m_panel->setPanVisible(false);
    }
  }

 private:
  CustomPageControl* m_strip = nullptr;
  CustomPanAndZoom* m_panel = nullptr;
};

}  // namespace

GalleryPage* makeCameraGalleryPage() { return new CameraGalleryPage(); }

}  // namespace controls::gallery
