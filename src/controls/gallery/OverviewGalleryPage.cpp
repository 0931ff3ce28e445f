// The first page of the controls gallery: the controls as the screens use them, a few rows of a
// lighting list, the intrusion selector and two favorites, each in its screen's colour.
#include "controls/gallery/GalleryPage.h"
#include "controls/playstop/CustomPlayStop.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomSwitch.h"

#include "ui/Fonts.h"
#include "ui/Label.h"

#include "foundation/Strings.h"

using foundation::localized;

namespace controls::gallery {
namespace {

class OverviewGalleryPage : public GalleryPage {
 public:
  OverviewGalleryPage() {
    addSectionTitle(localized("kCtrlGalleryLighting"), 10);
    QWidget* lights = addCard(QRect(10, 28, 300, 96));
    rowCaption("kCtrlGalleryRowLiving", 0, lights);
    new CustomSwitch(QPoint(300 - 14 - CustomSwitch::kWidth, 8), true, QStringLiteral("yellow"), lights);
    separator(lights, 48);
    rowCaption("kCtrlGalleryRowKitchen", 48, lights);
    new CustomSwitch(QPoint(300 - 14 - CustomSwitch::kWidth, 56), false, QStringLiteral("yellow"), lights);

    addSectionTitle(localized("kCtrlGalleryIntrusion"), 134);
    QWidget* alarm = addCard(QRect(10, 152, 300, 100));
    auto* selector = new CustomSliderText(QPoint(45, 15), 3, 1, QStringLiteral("orange1"), alarm);
    const char* titles[] = {"kCtrlGalleryModeOff", "kCtrlGalleryModePartial", "kCtrlGalleryModeTotal"};
    for (int i = 0; i < 3; ++i) selector->setTextWithIndex(localized(titles[i]), i);

    addSectionTitle(localized("kCtrlGalleryFavorites"), 262);
    QWidget* favorites = addCard(QRect(10, 280, 300, 100));
    const QRect play(300 - 14 - CustomPlayStop::kWidth, 7, CustomPlayStop::kWidth, CustomPlayStop::kHeight);
    rowCaption("kCtrlGalleryRowMovie", 0, favorites);
    new CustomPlayStop(play, true, QStringLiteral("syan"), favorites);
    separator(favorites, 50);
    rowCaption("kCtrlGalleryRowLeaving", 50, favorites);
    new CustomPlayStop(play.translated(0, 50), false, QStringLiteral("syan"), favorites);
  }

  QString name() const override { return QStringLiteral("overview"); }
  QString title() const override { return localized("kCtrlGalleryOverview"); }

 private:
  void rowCaption(const char* key, int y, QWidget* card) {
    auto* label = addCaption(localized(key), QRect(16, y, 180, 48), card);
    label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 15));
  }
  static void separator(QWidget* card, int y) {
    auto* line = new QWidget(card);
    line->setGeometry(14, y, card->width() - 28, 1);
    line->setStyleSheet(QStringLiteral("background: #e1e5eb;"));
  }
};

}  // namespace

GalleryPage* makeOverviewGalleryPage() { return new OverviewGalleryPage(); }

}  // namespace controls::gallery
