#pragma once
// The indoor/outdoor switch of the temperature and humidity panels: two segments side by side,
// the chosen one lit. A touch on a segment chooses it at once (touch-down).
#include <QPoint>
#include <QString>
#include <QWidget>

namespace ui {
class Button;
class ImageView;
class Label;
}

class CustomInOut : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 136;
  static constexpr int kHeight = 32;

  // Only the origin is used; starts on "OUT".
  explicit CustomInOut(QPoint origin, QWidget* parent = nullptr);

  // "IN" or "OUT".
  const QString& value() const { return m_value; }
  void btnInClicked();
  void btnOutClicked();
  // Shows `value`'s segment as chosen ("IN"; anything else is "OUT").
  void changeSelected(const QString& value);

  ui::Button* inBtn() const { return m_inBtn; }
  ui::Button* outBtn() const { return m_outBtn; }
  ui::ImageView* inImg() const { return m_inImg; }
  ui::ImageView* outImg() const { return m_outImg; }
  ui::Label* inLbl() const { return m_inLbl; }
  ui::Label* outLbl() const { return m_outLbl; }

 private:
  QString m_value = QStringLiteral("OUT");
  ui::ImageView* m_inImg = nullptr;
  ui::ImageView* m_outImg = nullptr;
  ui::Label* m_inLbl = nullptr;
  ui::Label* m_outLbl = nullptr;
  ui::Button* m_inBtn = nullptr;
  ui::Button* m_outBtn = nullptr;
};
