// The switches in the controls gallery: every colour theme switched on, then the other looks
// (off, disabled, with texts, tinted, scaled) and the pulse switch; the further states show a tap
// on each and the pulse switch falling back.
#include "controls/gallery/GalleryPage.h"
#include "controls/switches/CustomAutoSwitch.h"
#include "controls/switches/CustomSwitch.h"

#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/Theme.h"

#include "foundation/Strings.h"

#include <QPointer>

using foundation::localized;

namespace controls::gallery {
namespace {

class SwitchesGalleryPage : public GalleryPage {
 public:
  SwitchesGalleryPage() {
    addSectionTitle(localized("kCtrlGalleryThemes"), 10);
    QWidget* themes = addCard(QRect(10, 28, 300, 176));
    const QStringList ids = ui::themeColorIds();
    for (int i = 0; i < int(ids.size()); ++i) {
      const int column = i / 4;
      const int row = i % 4;
      const int x = 14 + column * 146;
      const int y = 12 + row * 40;
      addCaption(localized(QStringLiteral("kCtrlColor_%1").arg(ids[i])), QRect(x, y, 62, 31), themes);
      m_themed << new CustomSwitch(QPoint(x + 58, y), true, ids[i], themes);
    }

    addSectionTitle(localized("kCtrlGalleryStates"), 214);
    QWidget* states = addCard(QRect(10, 232, 300, 168));
    // Three columns: the switch, its caption centred under it.
    auto cell = [&](const char* key, int index) {
      const int x = 6 + (index % 3) * 96;
      const int y = 14 + (index / 3) * 62;
      addCaption(localized(key), QRect(x, y + 34, 96, 18), states, Qt::AlignHCenter);
      return QPoint(x + (96 - CustomSwitch::kWidth) / 2, y);
    };
    new CustomSwitch(cell("kCtrlGalleryOff", 0), false, QStringLiteral("blue"), states);
    auto* disabled = new CustomSwitch(cell("kCtrlGalleryDisabled", 1), true, QStringLiteral("green"), states);
    disabled->setEnabled(false);
    auto* texts = CustomSwitch::switchWithLeftTextAndRight(localized("kCtrlGallerySwitchYes"), localized("kCtrlGallerySwitchNo"), states);
    texts->move(cell("kCtrlGalleryWithTexts", 2));
    texts->setOn(true);
    m_themed << texts;
    auto* tinted = new CustomSwitch(cell("kCtrlGalleryTinted", 3), true, QStringLiteral("blue"), states);
    tinted->setTintColor(QColor(0xd9, 0x4f, 0xa8));
    m_themed << tinted;
    auto* small = new CustomSwitch(cell("kCtrlGalleryScaled", 4), true, QStringLiteral("syan"), states);
    small->scaleSwitch(0.75, 0.75);
    m_themed << small;
    m_pulse = new CustomAutoSwitch(cell("kCtrlGalleryPulse", 5), false, QStringLiteral("orange1"), states);
    m_pulseNote = addCaption(QString(), QRect(10, 138, 280, 22), states, Qt::AlignHCenter);
    m_pulseNote->setTextColor(secondaryTextColor());
    m_pulseNote->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 11.5));
  }

  QString name() const override { return QStringLiteral("switches"); }
  QString title() const override { return localized("kCtrlGallerySwitches"); }
  QStringList states() const override { return {QStringLiteral("tapped"), QStringLiteral("returned")}; }

  void enterState(const QString& state) override {
    if (state == QLatin1String("tapped")) {
      for (CustomSwitch* s : m_themed) tap(s);
      tap(m_pulse);
      m_pulseNote->setText(localized("kCtrlGalleryPulsePending"));
    } else if (state == QLatin1String("returned") && m_pulse) {
      m_pulse->returnToOff();
      m_pulseNote->setText(localized("kCtrlGalleryPulseReturned"));
    }
  }

 private:
  QList<CustomSwitch*> m_themed;
  CustomAutoSwitch* m_pulse = nullptr;
  ui::Label* m_pulseNote = nullptr;
};

}  // namespace

GalleryPage* makeSwitchesGalleryPage() { return new SwitchesGalleryPage(); }

}  // namespace controls::gallery
