#include "controls/weather/UnitBlock.h"

#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <QDateTime>
#include <QFontMetricsF>

#include <cmath>

namespace {

const QColor kTitleColor(0x93, 0xa3, 0xba);
const QColor kLineColor(0xc3, 0xce, 0xde);
constexpr double kValuePoints = 34;
constexpr double kSmallestValuePoints = 12;
// The value shrinks to this width so the unit stays beside it; a compass point takes the row.
constexpr int kValueWidth = 80;
constexpr int kValueTop = 30;
constexpr int kValueHeight = 46;
constexpr int kLineTop = 80;

struct Direction {
  const char* text;
  const char* key;
};
constexpr Direction kDirections[] = {
    {"0", "North"},           {"22.5", "North Northeast"}, {"45", "North East"},     {"67.5", "North East East"},
    {"90", "East"},           {"112.5", "South East East"}, {"135", "South East"},    {"157.5", "South South East"},
    {"180", "South"},         {"202.5", "South Southwest"}, {"225", "Southwest"},     {"247.5", "South West West"},
    {"270", "West"},          {"292.5", "North West West"}, {"315", "Northwest"},     {"337.5", "North Northwest"},
};

}  // namespace

UnitBlock::UnitBlock(QPoint origin, Kind kind, const QString& title, const QString& unit, QWidget* parent)
    : QWidget(parent), m_kind(kind) {
  setGeometry(origin.x(), origin.y(), kWidth, kHeight);
  ui::setUserInteractionEnabled(this, false);

  m_title = new ui::Label(QRect(0, 0, kWidth - 8, 30), this);
  m_title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 11));
  m_title->setTextColor(kTitleColor);
  m_title->setNumberOfLines(2);
  m_title->setText(title);

  m_value = new ui::Label(QRect(0, kValueTop, kValueWidth, kValueHeight), this);
  m_value->setTextColor(Qt::white);
  m_unit = new ui::Label(this);
  m_unit->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 15));
  QColor unitColor(Qt::white);
  unitColor.setAlphaF(0.3f);
  m_unit->setTextColor(unitColor);
  m_unit->setText(unitText(unit));

  if (kind == Kind::Trend) {
    m_img = new ui::ImageView(QRect(0, kLineTop + 4, 14, 14), this);
    m_indicator = new ui::Label(QRect(19, kLineTop, kWidth - 19, 22), this);
    m_indicator->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 12));
    m_indicator->setTextColor(kLineColor);
  } else if (kind == Kind::Date) {
    m_hour = new ui::Label(QRect(0, kLineTop, kWidth - 2, 22), this);
    m_hour->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 12));
    m_hour->setTextColor(kLineColor);
  }
}

UnitBlock* UnitBlock::withIndicator(QPoint origin, const QString& title, const QString& value, const QString& unit,
                                    const QString& trend, QWidget* parent) {
  auto* block = new UnitBlock(origin, Kind::Trend, title, unit, parent);
  block->changeValueAndTrend(value, trend);
  return block;
}

UnitBlock* UnitBlock::withHour(QPoint origin, const QString& title, const QString& value, const QString& unit,
                               const QString& date, QWidget* parent) {
  auto* block = new UnitBlock(origin, Kind::Date, title, unit, parent);
  block->changeValueAndDate(value, date);
  return block;
}

UnitBlock* UnitBlock::withDirection(QPoint origin, const QString& title, QWidget* parent) {
  auto* block = new UnitBlock(origin, Kind::Direction, title, QStringLiteral("_"), parent);
  block->changeDirection(QString());
  return block;
}

QString UnitBlock::unitText(const QString& unitCode) {
  if (unitCode == QLatin1String("c")) return QStringLiteral("°C");
  if (unitCode == QLatin1String("mm")) return QStringLiteral("mm");
  if (unitCode == QLatin1String("hpa")) return QStringLiteral("hPa");
  if (unitCode == QLatin1String("kmh")) return QStringLiteral("km/h");
  if (unitCode == QLatin1String("%")) return QStringLiteral("%");
  if (unitCode == QLatin1String("_")) return QString();
  return QStringLiteral("--");
}

QString UnitBlock::dateLine(const QString& date) {
  const QString text = date.trimmed();
  if (text.isEmpty() || text == QLatin1String("_")) return {};
  bool isNumber = false;
  const qint64 ms = text.toLongLong(&isNumber);
  // Anything else would read as 1 January 1970: better no date than a false one.
  if (!isNumber) return {};
  const QDateTime at = QDateTime::fromSecsSinceEpoch(ms / 1000).toLocalTime();
  return foundation::localized("WeatherDateLine")
      .arg(at.toString(QStringLiteral("dd/MM")), at.toString(QStringLiteral("HH:mm")));
}

const char* UnitBlock::directionKey(const QString& direction) {
  for (const Direction& d : kDirections)
    if (direction == QLatin1String(d.text)) return d.key;
  return nullptr;
}

void UnitBlock::setValue(const QString& value) {
  const QString shown = value.isEmpty() ? QStringLiteral("--") : value;
  const int room = m_kind == Kind::Direction ? kWidth - 16 : kValueWidth;
  double points = kValuePoints;
  QFont font = ui::Fonts::font(QStringLiteral("Valdo-Light"), points);
  while (points > kSmallestValuePoints && QFontMetricsF(font).horizontalAdvance(shown) > room) {
    points -= 1;
    font = ui::Fonts::font(QStringLiteral("Valdo-Light"), points);
  }
  m_value->setFont(font);
  m_value->setText(shown);
  const int width = std::min(room, int(std::ceil(QFontMetricsF(font).horizontalAdvance(shown))) + 1);
  m_value->setGeometry(0, kValueTop, width, kValueHeight);
  // The unit sits on the value's baseline, just right of it.
  const QFontMetricsF valueMetrics(font);
  const QFontMetricsF unitMetrics(m_unit->font());
  const double baseline = kValueTop + (kValueHeight + valueMetrics.ascent() - valueMetrics.descent()) / 2.0;
  const int unitTop = int(std::lround(baseline - unitMetrics.ascent() - 1));
  m_unit->setGeometry(width + 3, unitTop, kWidth - width - 3, int(std::ceil(unitMetrics.height())) + 2);
  m_unit->setTextAlignment(Qt::AlignLeft);
}

void UnitBlock::setTrend(const QString& trend) {
  if (!m_img) return;
  if (trend == QLatin1String("B")) {
    m_img->setImageName(QStringLiteral("weather_indicator_down.png"));
    m_indicator->setText(foundation::localized("Down"));
  } else if (trend == QLatin1String("H")) {
    m_img->setImageName(QStringLiteral("weather_indicator_up.png"));
    m_indicator->setText(foundation::localized("Up"));
  } else {
    m_img->setImageName(QStringLiteral("weather_indicator_same.png"));
    m_indicator->setText(foundation::localized("Steady"));
  }
}

void UnitBlock::changeValueAndTrend(const QString& value, const QString& trend) {
  setValue(value);
  setTrend(trend);
}

void UnitBlock::changeValueAndDate(const QString& value, const QString& date) {
  setValue(value);
  if (m_hour) m_hour->setText(dateLine(date));
}

void UnitBlock::changeDirection(const QString& direction) {
  const char* key = directionKey(direction);
  setValue(key ? foundation::localized(key) : QString());
}
