#include "ui/Control.h"

#include "ui/ScrollView.h"
#include "ui/Views.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

namespace ui {
namespace {

// How far a finger may wander before a press becomes a drag, and how long a control inside a
// scroll view waits before it takes a touch.
constexpr double kSlop = 10.0;
constexpr double kTouchDelay = 0.15;

Qt::Orientation dominantAxis(const QPointF& delta) {
  return std::abs(delta.x()) > std::abs(delta.y()) ? Qt::Horizontal : Qt::Vertical;
}

}  // namespace

Control::Control(QWidget* parent) : QWidget(parent) {
  installAccessibility();
  setFocusPolicy(Qt::TabFocus);
}

Control::Control(const QRect& frame, QWidget* parent) : Control(parent) { setGeometry(frame); }

Control::~Control() = default;

int Control::tag() const { return ui::tag(this); }
void Control::setTag(int value) { ui::setTag(this, value); }

void Control::setSelected(bool selected) {
  if (m_selected == selected) return;
  m_selected = selected;
  stateDidChange();
  notifyAccessibleStateChanged(this);
}

void Control::setHighlighted(bool highlighted) {
  if (m_highlighted == highlighted) return;
  m_highlighted = highlighted;
  stateDidChange();
}

Control::State Control::state() const {
  State s = Normal;
  if (m_highlighted) s |= Highlighted;
  if (!isEnabled()) s |= Disabled;
  if (m_selected) s |= Selected;
  return s;
}

void Control::setUserInteractionEnabled(bool enabled) {
  ui::setUserInteractionEnabled(this, enabled);
  if (!enabled) resetTouch();
  notifyAccessibleStateChanged(this);
}

bool Control::isUserInteractionEnabled() const { return ui::isUserInteractionEnabled(this); }

void Control::sendActionsForControlEvent(ControlEvent event) {
  switch (event) {
    case ControlEvent::TouchDown: emit touchDown(this); break;
    case ControlEvent::TouchDragInside: emit touchDragInside(this); break;
    case ControlEvent::TouchDragOutside: emit touchDragOutside(this); break;
    case ControlEvent::TouchUpInside: emit touchUpInside(this); break;
    case ControlEvent::TouchUpOutside: emit touchUpOutside(this); break;
    case ControlEvent::TouchCancel: emit touchCancel(this); break;
    case ControlEvent::ValueChanged: emit valueChanged(this); break;
  }
}

bool Control::activate() { return activateAt(QRectF(rect()).center()); }

bool Control::activateAt(const QPointF& pos) {
  if (!isVisible() || !isEnabled() || m_touchActive || m_pending) return false;
  for (const QWidget* w = this; w; w = w->parentWidget()) {
    if (!ui::isUserInteractionEnabled(w)) return false;
    if (w->isWindow()) break;
  }
  // A finger there would land on whatever covers the control (an alert, the progress overlay):
  // then the key does nothing either.
  QWidget* top = window();
  const QPoint inWindow = mapTo(top, pos.toPoint());
  if (top->rect().contains(inWindow)) {
    QWidget* hit = top->childAt(inWindow);
    if (hit && hit != this && !isAncestorOf(hit)) return false;
  }
  QPointer<Control> self(this);
  touchesBegan(pos);
  // A handler of the touch-down may have taken the control away.
  if (self && m_touchActive) touchesEnded(pos);
  return true;
}

void Control::addAccessibleState(QAccessible::State& state) const {
  if (!isUserInteractionEnabled()) state.disabled = true;
  if (m_selected) state.selected = true;
}

void Control::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (plain) {
        // Holding the key down does not repeat the touch.
        if (!event->isAutoRepeat()) activate();
        event->accept();
        return;
      }
      break;
    default:
      break;
  }
  QWidget::keyPressEvent(event);
}

void Control::touchesBegan(const QPointF& pos) {
  m_touchActive = true;
  m_touchInside = true;
  m_tracking = beginTracking(pos);
  setHighlighted(true);
  emit touchDown(this);
}

void Control::touchesMoved(const QPointF& pos) {
  const bool inside = rect().contains(pos.toPoint());
  m_touchInside = inside;
  setHighlighted(inside);
  if (m_tracking) m_tracking = continueTracking(pos);
  if (inside) {
    emit touchDragInside(this);
  } else {
    emit touchDragOutside(this);
  }
}

void Control::touchesEnded(const QPointF& pos) {
  const bool inside = rect().contains(pos.toPoint());
  m_touchInside = inside;
  setHighlighted(false);
  if (m_tracking) endTracking(pos);
  m_tracking = false;
  m_touchActive = false;
  if (inside) {
    emit touchUpInside(this);
  } else {
    emit touchUpOutside(this);
  }
}

void Control::touchesCancelled() {
  setHighlighted(false);
  if (m_tracking) cancelTracking();
  m_tracking = false;
  m_touchActive = false;
  emit touchCancel(this);
}

bool Control::beginTracking(const QPointF&) { return true; }
bool Control::continueTracking(const QPointF&) { return true; }
void Control::endTracking(const QPointF&) {}
void Control::cancelTracking() {}

void Control::stateDidChange() { update(); }

void Control::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  event->accept();
  if (m_touchActive || m_pending) resetTouch();  // a release went astray; start afresh
  m_handedTo = nullptr;
  m_pressPos = event->position();
  m_pressGlobal = event->globalPosition();
  if (ScrollView::enclosingTouchDelayingScrollView(this)) {
    m_pending = true;
    QPointer<Control> self(this);
    m_delay = foundation::Timer::singleShot(kTouchDelay, [self] {
      if (self && self->m_pending) self->deliverPendingPress();
    });
    return;
  }
  touchesBegan(m_pressPos);
}

void Control::deliverPendingPress() {
  m_pending = false;
  m_delay.invalidate();
  touchesBegan(m_pressPos);
}

void Control::mouseMoveEvent(QMouseEvent* event) {
  const QPointF global = event->globalPosition();
  if (m_handedTo) {
    m_handedTo->continueAdoptedDrag(global, qint64(event->timestamp()));
    return;
  }
  if (m_pending) {
    const QPointF delta = global - m_pressGlobal;
    if (std::hypot(delta.x(), delta.y()) < kSlop) return;
    if (ScrollView* scroller = ScrollView::enclosingScrollView(this, dominantAxis(delta))) {
      // The finger moved before the control took the touch: it is a scroll, not a press.
      m_pending = false;
      m_delay.invalidate();
      m_handedTo = scroller;
      scroller->adoptDrag(m_pressGlobal, global, qint64(event->timestamp()));
      return;
    }
    deliverPendingPress();
  }
  if (m_touchActive) touchesMoved(event->position());
}

void Control::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (m_handedTo) {
    QPointer<ScrollView> scroller = m_handedTo;
    m_handedTo = nullptr;
    scroller->endAdoptedDrag(event->globalPosition(), qint64(event->timestamp()));
    return;
  }
  if (m_pending) deliverPendingPress();
  if (m_touchActive) touchesEnded(event->position());
}

void Control::resetTouch() {
  m_pending = false;
  m_delay.invalidate();
  m_handedTo = nullptr;
  if (m_touchActive) touchesCancelled();
}

void Control::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (!isEnabled()) resetTouch();
    stateDidChange();
  }
  QWidget::changeEvent(event);
}

void Control::hideEvent(QHideEvent* event) {
  // A control that disappears under the finger does not keep a half-finished touch.
  resetTouch();
  QWidget::hideEvent(event);
}

}  // namespace ui
