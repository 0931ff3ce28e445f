#include "controls/weather/WeatherModel.h"

#include "backend/records/WeatherRecords.h"
#include "controls/weather/CustomInOut.h"
#include "controls/weather/UnitBlock.h"
#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

namespace {

const QColor kBackground(0x13, 0x1c, 0x2a);
constexpr int kLeft = 25;
constexpr int kRight = 183;
constexpr int kRow1 = 55;
constexpr int kRow2 = 187;
constexpr int kSectionHeight = 313;
constexpr int kBandHeight = 16;
constexpr int kSwitchLeft = 172;
constexpr int kSwitchTop = 10;

QString text(const rest::Text& t) { return t ? QString::fromStdString(*t) : QString(); }

QString title(const char* key) { return foundation::localized(key); }

}  // namespace

WeatherModel::WeatherModel(const QRect& frame, QWidget* parent) : QWidget(parent) {
  setGeometry(frame.x(), frame.y(), kWidth, kContentHeight);
  ui::setBackgroundColor(this, kBackground);

  addSection(kTemperatureTop, "weather_temperature.png", "TEMPERATURE", 2, true);
  addSection(kHumidityTop, "weather_humidity.png", "HUMIDITY", 2, true);
  addSection(kPressureTop, "weather_atmospheric_pressure.png", "ATMOSPHERIC PRESSURE", 2, false);
  addSection(kWindTop, "weather_wind.png", "WIND", 2, false);
  addSection(kRainTop, "weather_rain.png", "RAIN", 1, false);

  const QString none = QStringLiteral("_");
  auto set = [&](std::array<UnitBlock*, 4>& blocks, int top, const char* unit, const char* t1, const char* t2,
                 const char* t3, const char* t4) {
    blocks[0] = UnitBlock::withIndicator({kLeft, top + kRow1}, title(t1), {}, unit, {}, this);
    blocks[1] = UnitBlock::withIndicator({kRight, top + kRow1}, title(t2), {}, unit, {}, this);
    blocks[2] = UnitBlock::withHour({kLeft, top + kRow2}, title(t3), {}, unit, none, this);
    blocks[3] = UnitBlock::withHour({kRight, top + kRow2}, title(t4), {}, unit, none, this);
  };
  set(temperature, kTemperatureTop, "c", "Temperature", "Temperature average", "Temperature min", "Temperature max");
  set(temperatureOutDoor, kTemperatureTop, "c", "Temperature", "Temperature average", "Temperature min",
      "Temperature max");
  set(humidity, kHumidityTop, "%", "Instant humidity", "Average humidity", "Humidity min", "Humidity max");
  set(humidityOutDoor, kHumidityTop, "%", "Instant humidity", "Average humidity", "Humidity min", "Humidity max");
  set(atmosphericPressure, kPressureTop, "hpa", "Instant pressure", "Average pressure", "Pressure min",
      "Pressure max");

  // wind1 and wind3 on the first row, wind2 and wind4 on the second.
  wind[0] = UnitBlock::withIndicator({kLeft, kWindTop + kRow1}, title("Wind instant speed"), {}, "kmh", {}, this);
  wind[2] = UnitBlock::withIndicator({kRight, kWindTop + kRow1}, title("Wind average speed"), {}, "kmh", {}, this);
  wind[1] = UnitBlock::withHour({kLeft, kWindTop + kRow2}, title("Wind max speed"), {}, "kmh", none, this);
  wind[3] = UnitBlock::withDirection({kRight, kWindTop + kRow2}, title("Wind direction"), this);

  rain[0] = UnitBlock::withIndicator({kLeft, kRainTop + kRow1}, title("Rain"), {}, "mm", {}, this);
  rain[1] = UnitBlock::withHour({kRight, kRainTop + kRow1}, title("Rain max"), {}, "mm", none, this);

  m_inOutBtn = new CustomInOut({kSwitchLeft, kTemperatureTop + kSwitchTop}, this);
  m_inOutBtnH = new CustomInOut({kSwitchLeft, kHumidityTop + kSwitchTop}, this);
  // After the switches' own handlers, on the same touch.
  connect(m_inOutBtn->inBtn(), &ui::Control::touchDown, this, [this] { btnInClicked(); });
  connect(m_inOutBtn->outBtn(), &ui::Control::touchDown, this, [this] { btnOutClicked(); });
  connect(m_inOutBtnH->inBtn(), &ui::Control::touchDown, this, [this] { btnInClickedH(); });
  connect(m_inOutBtnH->outBtn(), &ui::Control::touchDown, this, [this] { btnOutClickedH(); });

  hiddeTemperature(m_inOutValue);
  hiddeHumidity(m_inOutValueH);
}

void WeatherModel::addSection(int top, const char* icon, const char* titleKey, int rows, bool withSwitch) {
  auto* iconView = new ui::ImageView(QString::fromLatin1(icon), this);
  iconView->setGeometry(18, top + 12, 32, 32);
  auto* label = new ui::Label(QRect(58, top + 10, (withSwitch ? kSwitchLeft - 4 : kWidth - 16) - 58, 36), this);
  label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 14));
  label->setTextColor(Qt::white);
  label->setNumberOfLines(2);
  label->setText(foundation::localized(titleKey));

  const int gridBottom = top + (rows == 2 ? kRow2 : kRow1) + UnitBlock::kHeight;
  auto* vertical = new ui::ImageView(QStringLiteral("weather_v_big_line.png"), this);
  vertical->setGeometry(kWidth / 2, top + kRow1, 1, gridBottom - top - kRow1);
  if (rows == 2) {
    auto* horizontal = new ui::ImageView(QStringLiteral("weather_h_big_line.png"), this);
    horizontal->setGeometry(16, top + (kRow1 + UnitBlock::kHeight + kRow2) / 2, kWidth - 32, 1);
  }
  const int bandTop = rows == 2 ? top + kSectionHeight - kBandHeight : gridBottom;
  auto* band = new ui::ImageView(QStringLiteral("weather_section_bottom_bg.png"), this);
  band->setGeometry(0, bandTop, kWidth, kBandHeight);
}

void WeatherModel::changeWeatherValues(const VOWeather* w) {
  static const VOWeather empty;
  const VOWeather& v = w ? *w : empty;
  temperature[0]->changeValueAndTrend(text(v.temp_in_current), text(v.temp_in_trend));
  temperature[1]->changeValueAndTrend(text(v.temp_in_average), text(v.temp_in_trend));
  temperature[2]->changeValueAndDate(text(v.temp_in_min), text(v.temp_in_min_date));
  temperature[3]->changeValueAndDate(text(v.temp_in_max), text(v.temp_in_max_date));
  temperatureOutDoor[0]->changeValueAndTrend(text(v.temp_out_current), text(v.temp_out_trend));
  temperatureOutDoor[1]->changeValueAndTrend(text(v.temp_out_average), text(v.temp_out_trend));
  temperatureOutDoor[2]->changeValueAndDate(text(v.temp_out_min), text(v.temp_out_min_date));
  temperatureOutDoor[3]->changeValueAndDate(text(v.temp_out_max), text(v.temp_out_max_date));
  humidity[0]->changeValueAndTrend(text(v.humidity_in_current), text(v.humidity_in_trend));
  humidity[1]->changeValueAndTrend(text(v.humidity_in_average), text(v.humidity_in_trend));
  humidity[2]->changeValueAndDate(text(v.humidity_in_min), text(v.humidity_in_min_date));
  humidity[3]->changeValueAndDate(text(v.humidity_in_max), text(v.humidity_in_max_date));
  humidityOutDoor[0]->changeValueAndTrend(text(v.humidity_out_current), text(v.humidity_out_trend));
  humidityOutDoor[1]->changeValueAndTrend(text(v.humidity_out_average), text(v.humidity_out_trend));
  humidityOutDoor[2]->changeValueAndDate(text(v.humidity_out_min), text(v.humidity_out_min_date));
  humidityOutDoor[3]->changeValueAndDate(text(v.humidity_out_max), text(v.humidity_out_max_date));
  atmosphericPressure[0]->changeValueAndTrend(text(v.pressure_current), text(v.pressure_trend));
  atmosphericPressure[1]->changeValueAndTrend(text(v.pressure_average), text(v.pressure_trend));
  atmosphericPressure[2]->changeValueAndDate(text(v.pressure_min), text(v.pressure_min_date));
  atmosphericPressure[3]->changeValueAndDate(text(v.pressure_max), text(v.pressure_max_date));
  wind[0]->changeValueAndTrend(text(v.wind_current), text(v.wind_trend));
  wind[2]->changeValueAndTrend(text(v.wind_average), text(v.wind_trend));
  wind[1]->changeValueAndDate(text(v.wind_max), text(v.wind_max_date));
  wind[3]->changeDirection(text(v.wind_direction));
  rain[0]->changeValueAndTrend(text(v.rain_last_hour), text(v.rain_trend));
  rain[1]->changeValueAndDate(text(v.rain_total), QString());
}

void WeatherModel::hiddeTemperature(const QString& inOut) {
  const bool in = inOut == QLatin1String("IN");
  for (UnitBlock* b : temperature) b->setVisible(in);
  for (UnitBlock* b : temperatureOutDoor) b->setVisible(!in);
}

void WeatherModel::hiddeHumidity(const QString& inOut) {
  const bool in = inOut == QLatin1String("IN");
  for (UnitBlock* b : humidity) b->setVisible(in);
  for (UnitBlock* b : humidityOutDoor) b->setVisible(!in);
}

void WeatherModel::btnInClicked() {
  if (m_inOutValue != QLatin1String("OUT")) return;
  m_inOutValue = QStringLiteral("IN");
  hiddeTemperature(m_inOutValue);
}

void WeatherModel::btnOutClicked() {
  if (m_inOutValue != QLatin1String("IN")) return;
  m_inOutValue = QStringLiteral("OUT");
  hiddeTemperature(m_inOutValue);
}

void WeatherModel::btnInClickedH() {
  if (m_inOutValueH != QLatin1String("OUT")) return;
  m_inOutValueH = QStringLiteral("IN");
  hiddeHumidity(m_inOutValueH);
}

void WeatherModel::btnOutClickedH() {
  if (m_inOutValueH != QLatin1String("IN")) return;
  m_inOutValueH = QStringLiteral("OUT");
  hiddeHumidity(m_inOutValueH);
}
