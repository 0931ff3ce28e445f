#pragma once
// The coloured bar under a segmented selector: a slider drawn from the colour theme's pictures
// ("slide_<theme>.png" left of the thumb, "slide_empty.png" right of it, thumb
// "slide_btn_<theme>.png"), used only to show the selected position. Its value changes only
// through changeVerifiedValue / changeVerifiedValueWithoutAnim.
#include "ui/Image.h"
#include "ui/Slider.h"

#include <QString>

class CustomSlider : public ui::Slider {
  Q_OBJECT
 public:
  CustomSlider(const QRect& frame, int numberOfStatus, int selected, const QString& colorId, QWidget* parent);
  // Three positions, position 0, red theme.
  explicit CustomSlider(const QRect& frame, QWidget* parent = nullptr);

  // 2, 3 or 4 (any other number gives 2).
  int numberOfSection() const { return m_numberOfSection; }
  int selectedSection() const { return m_selectedSection; }
  // A position outside 0 .. numberOfSection - 1 gives 0. Does not move the bar.
  void setSelectedSection(int section);

  // Moves the value in 0.2 s / at once.
  void changeVerifiedValue(double value);
  void changeVerifiedValueWithoutAnim(double value);

  const QString& colorId() const { return m_colorId; }

  // The bar's value for `section` of `numberOfSection` positions (0 for a position outside them):
  // 2 -> 0, 1; 3 -> 0, 0.5, 1; 4 -> 0, 0.375, 0.625, 1.
  static double valueForSection(int section, int numberOfSection);
  // 4 for 4, 3 for 3, otherwise 2.
  static int normalizedNumberOfSection(int numberOfStatus);

  // Where the thumb's centre stands for the current value: under the centre of the selected
  // position's button, sliding between neighbouring centres as the value moves.
  double thumbCentreX() const;

  // It only shows the selector's choice: an indicator, not something to set.
  QAccessible::Role accessibleRole() const override { return QAccessible::Indicator; }
  std::optional<Range> accessibleRange() const override { return std::nullopt; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int m_numberOfSection = 3;
  int m_selectedSection = 0;
  QString m_colorId;
  ui::Image m_fill;
  ui::Image m_empty;
  ui::Image m_knob;
};
