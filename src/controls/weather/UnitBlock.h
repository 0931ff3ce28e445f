#pragma once
// One figure of the weather panels: a title, a large value with its unit beside it, and under it
// either the trend (arrow and word), the date of a minimum or maximum, or nothing (the wind
// direction, whose value is a compass point).
#include <QPoint>
#include <QString>
#include <QWidget>

namespace ui {
class ImageView;
class Label;
}

class UnitBlock : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { Trend, Date, Direction };
  static constexpr int kWidth = 140;
  static constexpr int kHeight = 110;

  // A trend block ("B" down, "H" up, anything else steady) and a date block (milliseconds since
  // 1970 as text; "_" or empty for none). `unit` is a unit code ("c", "mm", "hpa", "kmh", "%", "_").
  static UnitBlock* withIndicator(QPoint origin, const QString& title, const QString& value, const QString& unit,
                                  const QString& trend, QWidget* parent);
  static UnitBlock* withHour(QPoint origin, const QString& title, const QString& value, const QString& unit,
                             const QString& date, QWidget* parent);
  static UnitBlock* withDirection(QPoint origin, const QString& title, QWidget* parent);

  Kind kind() const { return m_kind; }
  void changeValueAndTrend(const QString& value, const QString& trend);
  void changeValueAndDate(const QString& value, const QString& date);
  // A compass point given in degrees ("0", "22.5", ... "337.5"); any other text shows nothing.
  void changeDirection(const QString& direction);

  ui::Label* blockTitle() const { return m_title; }
  ui::Label* blockValue() const { return m_value; }
  ui::Label* blockUnit() const { return m_unit; }
  ui::ImageView* blockImg() const { return m_img; }       // trend blocks only
  ui::Label* blockIndicator() const { return m_indicator; }  // trend blocks only
  ui::Label* blockHour() const { return m_hour; }          // date blocks only

  // What a unit code shows ("c" -> "°C"; "_" -> nothing; an unknown code -> "--").
  static QString unitText(const QString& unitCode);
  // The date line of a date text, on the 24-hour clock in local time; empty for "_", empty text
  // or anything that is not a whole number of milliseconds.
  static QString dateLine(const QString& date);
  // The key of the compass point's name, or nullptr when the text names none.
  static const char* directionKey(const QString& direction);

 private:
  UnitBlock(QPoint origin, Kind kind, const QString& title, const QString& unit, QWidget* parent);
  void setValue(const QString& value);
  void setTrend(const QString& trend);

  Kind m_kind;
  ui::Label* m_title = nullptr;
  ui::Label* m_value = nullptr;
  ui::Label* m_unit = nullptr;
  ui::ImageView* m_img = nullptr;
  ui::Label* m_indicator = nullptr;
  ui::Label* m_hour = nullptr;
};
