#pragma once
// The weather panels of one sheet: temperature, humidity, atmospheric pressure, wind and rain,
// stacked from top to bottom, each a grid of figures. Temperature and humidity have an indoor and
// an outdoor set of four figures each, one set shown at a time, chosen with their switch.
#include <QString>
#include <QWidget>

#include <array>

class CustomInOut;
class UnitBlock;
class VOWeather;

class WeatherModel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 320;
  // The bottom of the rain section; the sheet's scrolling area takes it as its content height.
  static constexpr int kContentHeight = 1433;
  // Where each section starts.
  static constexpr int kTemperatureTop = 0;
  static constexpr int kHumidityTop = 313;
  static constexpr int kPressureTop = 626;
  static constexpr int kWindTop = 939;
  static constexpr int kRainTop = 1252;

  // Only the origin of `frame` is used. Shows the outdoor sets, every value "--".
  explicit WeatherModel(const QRect& frame, QWidget* parent = nullptr);

  // Shows `weather`'s figures; nullptr shows the panels empty ("--", steady, no dates).
  void changeWeatherValues(const VOWeather* weather);
  // "IN" shows the indoor set; anything else the outdoor one. Hidden sets still take values.
  void hiddeTemperature(const QString& inOut);
  void hiddeHumidity(const QString& inOut);

  void btnInClicked();
  void btnOutClicked();
  void btnInClickedH();
  void btnOutClickedH();

  const QString& inOutValue() const { return m_inOutValue; }
  const QString& inOutValueH() const { return m_inOutValueH; }
  CustomInOut* inOutBtn() const { return m_inOutBtn; }
  CustomInOut* inOutBtnH() const { return m_inOutBtnH; }

  // temperature1..4 are [0..3]; the others likewise.
  std::array<UnitBlock*, 4> temperature{};
  std::array<UnitBlock*, 4> temperatureOutDoor{};
  std::array<UnitBlock*, 4> humidity{};
  std::array<UnitBlock*, 4> humidityOutDoor{};
  std::array<UnitBlock*, 4> atmosphericPressure{};
  std::array<UnitBlock*, 4> wind{};
  std::array<UnitBlock*, 2> rain{};

 private:
  void addSection(int top, const char* icon, const char* titleKey, int rows, bool withSwitch);

  QString m_inOutValue = QStringLiteral("OUT");
  QString m_inOutValueH = QStringLiteral("OUT");
  CustomInOut* m_inOutBtn = nullptr;
  CustomInOut* m_inOutBtnH = nullptr;
};
