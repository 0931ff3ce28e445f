#include "ui/AlertLayer.h"

#include "ui/KeyboardNavigation.h"

#include "ui/AlertView.h"

#include <QKeyEvent>
#include <QPainter>

namespace ui::detail {

AlertLayer::AlertLayer(QWidget* window) : QWidget(window) {
  setObjectName(QStringLiteral("alertLayer"));
  setFocusPolicy(Qt::StrongFocus);
  // The layer holds the keyboard for the alert; Tab goes to the alert's buttons, which get the ring.
  setDrawsFocusRing(this, false);
  hide();
}

void AlertLayer::push(AlertView* alert) {
  m_stack.append(alert);
  refresh();
}

void AlertLayer::remove(AlertView* alert) {
  m_stack.removeAll(alert);
  refresh();
}

QList<AlertView*> AlertLayer::alerts() const {
  QList<AlertView*> list;
  for (const auto& a : m_stack) {
    if (a) list << a.data();
  }
  return list;
}

AlertView* AlertLayer::top() const {
  for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
    if (*it) return it->data();
  }
  return nullptr;
}

void AlertLayer::refresh() {
  m_stack.removeAll(nullptr);
  AlertView* topAlert = top();
  for (const auto& a : m_stack) {
    if (a->panel()) a->panel()->setVisible(a == topAlert);
  }
  if (!topAlert) {
    const bool hadFocus = hasFocus();
    hide();
    if (hadFocus && m_focusBefore) m_focusBefore->setFocus(Qt::OtherFocusReason);
    m_focusBefore = nullptr;
    return;
  }
  if (QWidget* panel = topAlert->panel()) {
    panel->move((width() - panel->width()) / 2, (height() - panel->height()) / 2);
    panel->raise();
  }
  if (!isVisible()) {
    QWidget* focused = window() ? window()->focusWidget() : nullptr;
    m_focusBefore = (focused && focused != this) ? focused : nullptr;
  }
  show();
  raise();
  setFocus(Qt::OtherFocusReason);
}

void AlertLayer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (AlertView* topAlert = top(); topAlert && topAlert->panel()) {
    QWidget* panel = topAlert->panel();
    panel->move((width() - panel->width()) / 2, (height() - panel->height()) / 2);
  }
}

void AlertLayer::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Dimmed around the alert, a little lighter in the middle where the alert sits.
  QRadialGradient shade(rect().center(), std::max(width(), height()) * 0.7);
  shade.setColorAt(0, QColor(0, 0, 0, 90));
  shade.setColorAt(1, QColor(0, 0, 0, 150));
  painter.fillRect(rect(), shade);
}

void AlertLayer::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
      if (AlertView* topAlert = top()) topAlert->clickButtonAtIndex(topAlert->cancelButtonIndex());
      event->accept();
      return;
    default:
      event->accept();  // the alert is modal: nothing below hears the keyboard
  }
}

void AlertLayer::mousePressEvent(QMouseEvent* event) { event->accept(); }

}  // namespace ui::detail
