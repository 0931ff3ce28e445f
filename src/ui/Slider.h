#pragma once
// A horizontal slider: a thumb over a track, drawn from pictures (the track left of the thumb's
// centre from the minimum-track picture, the rest from the maximum-track picture; both stretch by
// their cap insets). The finger moves the thumb only when it lands on it. A continuous slider
// reports value-changed while the thumb moves; otherwise once, when a drag that moved it ends.
#include "ui/Control.h"
#include "ui/Image.h"

namespace ui {

class Slider : public Control {
  Q_OBJECT
 public:
  explicit Slider(QWidget* parent = nullptr);
  Slider(const QRect& frame, QWidget* parent);

  double value() const { return m_value; }
  // Clamped to the range; never emits value-changed. Animated: 0.2 s.
  void setValue(double value, bool animated = false);
  double minimumValue() const { return m_minimum; }
  double maximumValue() const { return m_maximum; }
  void setMinimumValue(double v);
  void setMaximumValue(double v);
  void setContinuous(bool on) { m_continuous = on; }
  bool isContinuous() const { return m_continuous; }

  void setThumbImage(const Image& image);
  void setThumbImageName(const QString& name);
  void setMinimumTrackImage(const Image& image);
  void setMinimumTrackImageName(const QString& name, int leftCap = 0);
  void setMaximumTrackImage(const Image& image);
  void setMaximumTrackImageName(const QString& name, int leftCap = 0);
  QString thumbImageName() const { return m_thumb.name(); }
  QString minimumTrackImageName() const { return m_minTrack.name(); }
  QString maximumTrackImageName() const { return m_maxTrack.name(); }

  // Geometry at the current value, in the slider's coordinates.
  QRectF thumbRect() const;
  QRectF trackRect() const;
  // The value the thumb's centre stands for at horizontal position `x`.
  double valueForThumbCentre(double x) const;

  // Keyboard and assistive technology: arrows (and Page Up/Down, Home, End) move the value by a
  // tenth of the range (a quarter, to the ends) and report value-changed, as a drag does.
  QAccessible::Role accessibleRole() const override { return QAccessible::Slider; }
  QString accessibleValue() const override;
  std::optional<Range> accessibleRange() const override;
  void setAccessibleRangeValue(double value) override;

 protected:
  bool beginTracking(const QPointF& pos) override;
  bool continueTracking(const QPointF& pos) override;
  void endTracking(const QPointF& pos) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Moves to `value` for the user: reports value-changed when it moved.
  void changeValueByUser(double value);
  QSizeF thumbSize() const;
  void applyValue(double value);

  double m_value = 0.0;
  double m_minimum = 0.0;
  double m_maximum = 1.0;
  bool m_continuous = true;
  double m_valueAtTouch = 0.0;
  double m_grabOffset = 0.0;  // finger x minus thumb centre when the drag began
  Image m_thumb;
  Image m_minTrack;
  Image m_maxTrack;
};

}  // namespace ui
