#pragma once
// The themed two-state switch: a slider whose thumb rests at one of its two ends, 0 (off, left) or
// 1 (on, right), drawn in one of the eight colour themes. One completed touch, a tap anywhere or a
// drag of the thumb of any length, toggles it and reports value-changed exactly once; the state is
// already the new one when the handlers run. A touch that a scroll view takes over leaves it as it
// was. Setting the state from code (setOn, setOnAnimated) reports nothing.
//
// Its size is fixed (72 x 31 points): the caller gives only its position.
//
// Assistive technology sees a check box, checked while on, whose value says "activé" or
// "désactivé"; Space and Return toggle it as a tap does (the arrows do not slide it).
#include "ui/Slider.h"

#include <QColor>
#include <QString>

namespace ui {
class Label;
}

class CustomSwitch : public ui::Slider {
  Q_OBJECT
 public:
  static constexpr int kWidth = 72;
  static constexpr int kHeight = 31;

  // A switch in the colour theme `colorId` (any id outside the eight draws red), showing `selected`.
  CustomSwitch(QPoint origin, bool selected, const QString& colorId, QWidget* parent);
  // Off, in the red theme.
  explicit CustomSwitch(QPoint origin, QWidget* parent = nullptr);
  ~CustomSwitch() override;

  // A switch at the origin whose labels read `left` on the on side and `right` on the off side.
  static CustomSwitch* switchWithLeftTextAndRight(const QString& left, const QString& right, QWidget* parent = nullptr);

  bool isOn() const { return m_on; }
  // Moves to `on` without reporting value-changed; the thumb slides in 0.2 s when animated.
  virtual void setOnAnimated(bool on, bool animated);
  void setOn(bool on) { setOnAnimated(on, false); }

  // The device the switch drives; the switch itself never reads it.
  const QString& serial() const { return m_serial; }
  void setSerial(const QString& serial) { m_serial = serial; }

  // The colour theme as asked for, and the one drawn (one of the eight).
  const QString& colorId() const { return m_colorId; }
  QString themeColorId() const;

  // Tints the on side: its track becomes "switchBlueBg.png" coloured with `color`. The same colour
  // again changes nothing; an invalid colour goes back to the theme's own track.
  void setTintColor(const QColor& color);
  const QColor& tintColor() const { return m_tintColor; }

  // Draws the switch scaled by these factors about its centre (its frame grows or shrinks).
  void scaleSwitch(double sx, double sy);
  double scaleX() const { return m_scaleX; }
  double scaleY() const { return m_scaleY; }

  // Picture names in use: the on-side track ("switch_on_<theme>.png" unless tinted), the off-side
  // track ("switch_off.png") and the thumb ("switch_btn.png", from ui::Slider::thumbImageName).
  QString onImageName() const { return minimumTrackImageName(); }
  QString offImageName() const { return maximumTrackImageName(); }

  // The two texts that slide with the thumb (empty unless set; leftLabel shows while on).
  ui::Label* leftLabel() const { return m_leftLabel; }
  ui::Label* rightLabel() const { return m_rightLabel; }

  QSize sizeHint() const override { return {kWidth, kHeight}; }

  QAccessible::Role accessibleRole() const override { return QAccessible::CheckBox; }
  QString accessibleValue() const override;
  void addAccessibleState(QAccessible::State& state) const override;
  std::optional<Range> accessibleRange() const override { return std::nullopt; }

 protected:
  void keyPressEvent(QKeyEvent* event) override { ui::Control::keyPressEvent(event); }
  void touchesBegan(const QPointF& pos) override;
  void touchesEnded(const QPointF& pos) override;
  void touchesCancelled() override;
  bool beginTracking(const QPointF& pos) override;
  bool continueTracking(const QPointF& pos) override;
  void endTracking(const QPointF& pos) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Moves the value to the end that matches `on`.
  void moveThumbToState(bool animated);
  void setOnFlag(bool on) { m_on = on; }
  ui::Image m_onTrack;
  ui::Image m_offTrack;
  ui::Image m_thumbImage;

 private:
  void setUp(const QString& colorId);
  void layoutLabels();
  // Sets the value at once and keeps the labels with the thumb.
  void applySwitchValue(double value);
  // The thumb's rectangle in unscaled points.
  QRectF logicalThumbRect() const;

  bool m_on = false;
  bool m_onBeforeTouch = false;
  double m_grabOffset = 0.0;  // finger minus thumb centre when the drag began, unscaled
  QString m_serial;
  QString m_colorId;
  QColor m_tintColor;
  QWidget* m_clippingView = nullptr;
  ui::Label* m_leftLabel = nullptr;
  ui::Label* m_rightLabel = nullptr;
  double m_scaleX = 1.0;
  double m_scaleY = 1.0;
  QPoint m_origin;
};
