#pragma once
// The period strip across the weather sheets, three pages wide: four periods over the first
// sheet, three over the second, the station's reset over the third. Each of the first two pages
// has a highlight that slides (0.3 s) under the period chosen on it.
#include <QWidget>

#include <array>

namespace ui {
class Button;
class ImageView;
class Label;
}

class MenuComponent : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 960;
  static constexpr int kHeight = 49;
  static constexpr double kHighlightSeconds = 0.3;

  explicit MenuComponent(QWidget* parent = nullptr);

  // btn1..btn7 are button(0)..button(6).
  ui::Button* button(int index) const;
  void btn1Clicked() { changeFirstMenuSelection(0); }
  void btn2Clicked() { changeFirstMenuSelection(1); }
  void btn3Clicked() { changeFirstMenuSelection(2); }
  void btn4Clicked() { changeFirstMenuSelection(3); }
  void btn5Clicked() { changeSecondMenuSelection(0); }
  void btn6Clicked() { changeSecondMenuSelection(1); }
  void btn7Clicked() { changeSecondMenuSelection(2); }
  // Slide the page's highlight under its button `index` (0..3, then 0..2); others are ignored.
  void changeFirstMenuSelection(int index);
  void changeSecondMenuSelection(int index);

  ui::ImageView* selectedImageFirstMenu() const { return m_selectedFirst; }
  ui::ImageView* selectedImageSecondMenu() const { return m_selectedSecond; }
  // The date of the station's last reset; the service gives none, so it stays empty.
  ui::Label* lastMakeResetDateLbl() const { return m_lastResetDate; }

  // Where each page's highlight goes for each of its buttons.
  static constexpr std::array<int, 4> kFirstMenuX{2, 81, 160, 241};
  static constexpr std::array<int, 3> kSecondMenuX{322, 428, 535};

 private:
  // Buttons first..first+count-1: only the one at `index` is selected.
  void markSelected(int first, int count, int index);

  std::array<ui::Button*, 7> m_buttons{};
  ui::ImageView* m_selectedFirst = nullptr;
  ui::ImageView* m_selectedSecond = nullptr;
  ui::Label* m_lastResetDate = nullptr;
};
