#pragma once
// A widget that turns mouse presses into the touch events the screens attach their actions to:
// touch-down when the finger lands, touch-up-inside or touch-up-outside when it lifts (inside or
// outside the control's bounds), touch-cancel when a scroll view takes the touch over, and
// value-changed when a subclass reports a new value. Every signal carries the sender, from which
// handlers read the tag and other properties.
//
// Inside a scroll view the touch-down waits up to 0.15 s: a finger that moves first scrolls the
// view instead, and the control never hears of it. A finger that lifts before then delivers
// touch-down and touch-up at once.
//
// Subclasses shape the tracking through the hooks below, in this order for one touch:
// touchesBegan → beginTracking, [touchesMoved → continueTracking]*, touchesEnded → endTracking.
// The hooks run only while tracking; the signals are sent whatever the hooks answer.
//
// From the keyboard, Space or Return on the control that has it is a completed touch in its
// middle (activate()): the same hooks and signals run as for a finger, so whatever a screen does
// on a touch it does on a key. Controls take the keyboard from Tab unless they take no touches.
#include "foundation/Timer.h"
#include "ui/Accessibility.h"

#include <QPointer>
#include <QWidget>

namespace ui {

class ScrollView;

enum class ControlEvent { TouchDown, TouchDragInside, TouchDragOutside, TouchUpInside, TouchUpOutside, TouchCancel, ValueChanged };

class Control : public QWidget, public AccessibleElement {
  Q_OBJECT
 public:
  enum StateFlag { Normal = 0, Highlighted = 1, Disabled = 2, Selected = 4 };
  Q_DECLARE_FLAGS(State, StateFlag)

  explicit Control(QWidget* parent = nullptr);
  Control(const QRect& frame, QWidget* parent);
  ~Control() override;

  int tag() const;
  void setTag(int tag);

  bool isSelected() const { return m_selected; }
  virtual void setSelected(bool selected);
  bool isHighlighted() const { return m_highlighted; }
  virtual void setHighlighted(bool highlighted);
  State state() const;

  // A control that takes no touches lets them through to what is below it.
  void setUserInteractionEnabled(bool enabled);
  bool isUserInteractionEnabled() const;

  bool isTracking() const { return m_tracking; }
  bool isTouchInside() const { return m_touchInside; }

  // Emits the event's signal as if the control had produced it.
  void sendActionsForControlEvent(ControlEvent event);

  // A completed touch in the middle of the control, as a key or an assistive "press" makes it.
  // False, and nothing happens, while the control is hidden, disabled, takes no touches or is
  // already being touched.
  bool activate();

  // Accessibility: a control is a button unless a subclass says otherwise; its state says
  // whether it is unavailable (taking no touches).
  QAccessible::Role accessibleRole() const override { return QAccessible::Button; }
  void addAccessibleState(QAccessible::State& state) const override;
  bool accessiblePress() override { return activate(); }

 signals:
  void touchDown(ui::Control* sender);
  void touchDragInside(ui::Control* sender);
  void touchDragOutside(ui::Control* sender);
  void touchUpInside(ui::Control* sender);
  void touchUpOutside(ui::Control* sender);
  void touchCancel(ui::Control* sender);
  void valueChanged(ui::Control* sender);

 protected:
  // The touch sequence (positions in the control's coordinates). Overrides call the base.
  virtual void touchesBegan(const QPointF& pos);
  virtual void touchesMoved(const QPointF& pos);
  virtual void touchesEnded(const QPointF& pos);
  virtual void touchesCancelled();

  // Tracking hooks: return whether to keep tracking.
  virtual bool beginTracking(const QPointF& pos);
  virtual bool continueTracking(const QPointF& pos);
  virtual void endTracking(const QPointF& pos);
  virtual void cancelTracking();

  // A completed touch at `pos` (see activate()).
  bool activateAt(const QPointF& pos);

  // Called when selected, highlighted or enabled changes; repaints by default.
  virtual void stateDidChange();

  // Space and Return activate(); other keys go to the container (Escape reaches the window).
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void deliverPendingPress();
  void resetTouch();

  bool m_selected = false;
  bool m_highlighted = false;
  bool m_tracking = false;
  bool m_touchActive = false;  // touchesBegan delivered, touchesEnded not yet
  bool m_touchInside = false;
  bool m_pending = false;      // press held back while a scroll view may still take it
  QPointF m_pressPos;
  QPointF m_pressGlobal;
  foundation::Timer m_delay;
  QPointer<ScrollView> m_handedTo;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Control::State)

}  // namespace ui
