// The play/stop control in the controls gallery: running in every colour theme, then stopped,
// pressed and disabled; the further state shows a tap on each of the themed ones.
#include "controls/gallery/GalleryPage.h"
#include "controls/playstop/CustomPlayStop.h"

#include "ui/Theme.h"

#include "foundation/Strings.h"

using foundation::localized;

namespace controls::gallery {
namespace {

class PlayStopGalleryPage : public GalleryPage {
 public:
  PlayStopGalleryPage() {
    addSectionTitle(localized("kCtrlGalleryThemes"), 10);
    QWidget* themes = addCard(QRect(10, 28, 300, 196));
    const QStringList ids = ui::themeColorIds();
    for (int i = 0; i < int(ids.size()); ++i) {
      const int x = 14 + (i / 4) * 146;
      const int y = 12 + (i % 4) * 44;
      addCaption(localized(QStringLiteral("kCtrlColor_%1").arg(ids[i])), QRect(x, y, 58, 36), themes);
      m_controls << new CustomPlayStop(QRect(x + 56, y, CustomPlayStop::kWidth, CustomPlayStop::kHeight), true, ids[i], themes);
    }

    addSectionTitle(localized("kCtrlGalleryStates"), 234);
    QWidget* states = addCard(QRect(10, 252, 300, 154));
    auto place = [&](const char* key, int row) {
      addCaption(localized(key), QRect(16, 12 + row * 46, 150, 36), states);
      return QRect(300 - 16 - CustomPlayStop::kWidth, 12 + row * 46, CustomPlayStop::kWidth, CustomPlayStop::kHeight);
    };
    new CustomPlayStop(place("kCtrlGalleryStopped", 0), false, QStringLiteral("syan"), states);
    auto* pressed = new CustomPlayStop(place("kCtrlGalleryPressed", 1), true, QStringLiteral("green"), states);
    pressed->setHighlighted(true);
    auto* disabled = new CustomPlayStop(place("kCtrlGalleryDisabled", 2), false, QStringLiteral("blue"), states);
    disabled->setEnabled(false);
  }

  QString name() const override { return QStringLiteral("playstop"); }
  QString title() const override { return localized("kCtrlGalleryPlayStop"); }
  QStringList states() const override { return {QStringLiteral("tapped")}; }

  void enterState(const QString& state) override {
    if (state == QLatin1String("tapped")) {
      for (CustomPlayStop* control : m_controls) tap(control);
    }
  }

 private:
  QList<CustomPlayStop*> m_controls;
};

}  // namespace

GalleryPage* makePlayStopGalleryPage() { return new PlayStopGalleryPage(); }

}  // namespace controls::gallery
