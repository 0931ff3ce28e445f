// The weather controls in the controls gallery: the figures of a panel on the sheets' dark
// ground (a trend up, a trend down, a minimum with its date, the wind direction) under the
// indoor/outdoor switch, then the period strip; the further states choose indoor and another period.
#include "controls/gallery/GalleryPage.h"
#include "controls/weather/CustomInOut.h"
#include "controls/weather/MenuComponent.h"
#include "controls/weather/UnitBlock.h"

#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/Views.h"

#include <QDateTime>

using foundation::localized;

namespace controls::gallery {
namespace {

const QColor kSheet(0x13, 0x1c, 0x2a);

class WeatherGalleryPage : public GalleryPage {
 public:
  WeatherGalleryPage() {
    addSectionTitle(localized("kCtrlGalleryWeatherPanels"), 10);
    auto* sheet = new QWidget(this);
    sheet->setGeometry(10, 28, 300, 286);
    ui::setBackgroundColor(sheet, kSheet);
    m_switch = new CustomInOut(QPoint(300 - 10 - CustomInOut::kWidth, 10), sheet);
    const QString anHourAgo = QString::number(QDateTime::currentMSecsSinceEpoch() - 3600 * 1000);
    UnitBlock::withIndicator({12, 54}, localized("Temperature"), QStringLiteral("21.5"), QStringLiteral("c"),
                             QStringLiteral("H"), sheet);
    UnitBlock::withIndicator({156, 54}, localized("Instant pressure"), QStringLiteral("1013"), QStringLiteral("hpa"),
                             QStringLiteral("B"), sheet);
    UnitBlock::withHour({12, 170}, localized("Humidity min"), QStringLiteral("38"), QStringLiteral("%"), anHourAgo, sheet);
    auto* direction = UnitBlock::withDirection({156, 170}, localized("Wind direction"), sheet);
    direction->changeDirection(QStringLiteral("292.5"));

    addSectionTitle(localized("kCtrlGalleryWeatherMenu"), 324);
    // The strip's first page, as it lies over the first sheet.
    auto* strip = new QWidget(this);
    strip->setGeometry(0, 342, kWidth, MenuComponent::kHeight);
    m_menu = new MenuComponent(strip);
  }

  QString name() const override { return QStringLiteral("weather"); }
  QString title() const override { return localized("kCtrlGalleryWeather"); }
  QStringList states() const override { return {QStringLiteral("indoor-yesterday")}; }

  void enterState(const QString& state) override {
    if (state != QLatin1String("indoor-yesterday")) return;
    tap(m_switch->inBtn());
    tap(m_menu->button(1));
  }

 private:
  CustomInOut* m_switch = nullptr;
  MenuComponent* m_menu = nullptr;
};

}  // namespace

GalleryPage* makeWeatherGalleryPage() { return new WeatherGalleryPage(); }

}  // namespace controls::gallery
