#pragma once
// The segmented selector: a row of two, three or four labelled buttons (70 x 70 points each)
// above a coloured bar whose thumb slides under the selected one. A button selects its own
// position as soon as the finger lands on it (touch-down), so handlers a screen attaches to the
// buttons' touch-up-inside read the new selectedSection(). A touch that ends outside its button
// (or that a scroll view takes over) puts the earlier selection back, since no handler heard of
// it. The selector itself reports nothing.
//
// From the keyboard the selector is one stop: Left and Right choose the neighbouring position by a
// completed touch on its button, so the screen hears it as a tap. Assistive technology sees a tab
// list whose value is the chosen title, with one tab per button (selected: the chosen one).
#include <QColor>
#include <QString>
#include <QWidget>

#include "ui/Accessibility.h"

#include <array>

class CustomButton;
class CustomSlider;

class CustomSliderText : public QWidget, public ui::AccessibleElement {
  Q_OBJECT
 public:
  static constexpr int kSectionWidth = 70;
  static constexpr int kHeight = 70;

  // `numberOfStatus` positions (4, 3, anything else 2), `selected` selected, titles "1".."4".
  CustomSliderText(QPoint origin, int numberOfStatus, int selected, const QString& colorId, QWidget* parent);
  // Three positions, red theme, position 0.
  explicit CustomSliderText(QPoint origin, QWidget* parent = nullptr);

  // Title of the button at `index` (0..3); an index without a button is ignored.
  void setTextWithIndex(const QString& text, int index);

  // Selects `section` (a position outside the selector selects 0): restyles the titles and moves
  // the bar, in 0.2 s or at once.
  void setSelected(int section);
  void setSelectedWithoutAnim(int section);
  int selectedSection() const { return m_selectedSection; }
  int numberOfSection() const { return m_numberOfSection; }

  // The position buttons; btn3 exists with 3 or more positions and btn4 with 4 (nullptr otherwise).
  CustomButton* btn1() const { return m_buttons[0]; }
  CustomButton* btn2() const { return m_buttons[1]; }
  CustomButton* btn3() const { return m_buttons[2]; }
  CustomButton* btn4() const { return m_buttons[3]; }
  // The button at `index` (0..3), nullptr when there is none.
  CustomButton* button(int index) const;
  CustomSlider* cSlider() const { return m_slider; }

  const QString& colorId() const { return m_colorId; }
  QColor selectedColor() const { return m_selectedColor; }
  QColor normalColor() const { return m_normalColor; }

  QSize sizeHint() const override { return {m_numberOfSection * kSectionWidth, kHeight}; }

  QAccessible::Role accessibleRole() const override { return QAccessible::PageTabList; }
  QString accessibleValue() const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void select(int section, bool animated);

  int m_numberOfSection = 3;
  int m_selectedSection = 0;
  int m_selectionBeforeTouch = 0;
  QString m_colorId;
  QColor m_selectedColor;
  QColor m_normalColor;
  std::array<CustomButton*, 4> m_buttons{};
  CustomSlider* m_slider = nullptr;
};
