#pragma once
// The platform's on/off switch: a rounded track with a knob. A tap (or Space or Return while it
// has the keyboard, which is the same tap) turns it over and reports value-changed; setOn() from
// code reports nothing. Assistive technology sees a check box that says "activé"/"désactivé".
#include "ui/Control.h"

#include <QColor>

namespace controls {

class OnOffSwitch : public ui::Control {
  Q_OBJECT
 public:
  static constexpr int kWidth = 51;
  static constexpr int kHeight = 31;

  OnOffSwitch(const QPoint& origin, QWidget* parent);

  bool isOn() const { return m_on; }
  void setOn(bool on, bool animated = false);
  void setOnTintColor(const QColor& color);
  // 0 when the knob rests on the left (off), 1 on the right (on); between while it slides.
  double knobPosition() const { return m_position; }

  QSize sizeHint() const override { return {kWidth, kHeight}; }

  QAccessible::Role accessibleRole() const override { return QAccessible::CheckBox; }
  QString accessibleValue() const override;
  void addAccessibleState(QAccessible::State& state) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void toggleByUser();

  bool m_on = false;
  double m_position = 0.0;
  QColor m_onTint;
};

}  // namespace controls
