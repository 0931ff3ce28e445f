#include "ui/PopupWindow.h"

#include "ui/Screen.h"

#include <QPainter>

namespace ui {

PopupWindow::PopupWindow(Window* host, WindowLevel level) : QWidget(host), m_host(host), m_level(level) {
  setObjectName(QStringLiteral("popupWindow"));
  // It paints every pixel it covers (paintEvent), so what lies beneath is not painted at all
  // while it shows: at start, the menu under the login costs nothing. While it fades, its opacity
  // effect makes it see-through again.
  setAttribute(Qt::WA_OpaquePaintEvent);
  hide();
  if (host) {
    setGeometry(host->applicationFrame());
    host->addPopup(this);
  }
}

PopupWindow::~PopupWindow() {
  if (m_root && m_root->isViewLoaded() && m_root->view()->parentWidget() == this) {
    if (m_rootAppeared) m_root->viewWillDisappear(false);
    m_root->view()->setParent(nullptr);
    if (m_rootAppeared) m_root->viewDidDisappear(false);
  }
  if (m_host) m_host->removePopup(this);
}

void PopupWindow::setWindowLevel(WindowLevel level) {
  m_level = level;
  if (m_host) m_host->restack();
}

Screen* PopupWindow::rootViewController() const { return m_root.data(); }

void PopupWindow::setRootViewController(Screen* screen) {
  if (m_root == screen) return;
  if (m_root && m_root->isViewLoaded() && m_root->view()->parentWidget() == this) {
    m_root->view()->hide();
    m_root->view()->setParent(nullptr);
  }
  m_root = screen;
  m_rootAppeared = false;
  if (!screen) return;
  if (m_host) screen->setInterfaceOrientation(m_host->interfaceOrientation());
  QWidget* view = screen->view();
  view->setParent(this);
  view->setGeometry(rect());
  view->show();
}

void PopupWindow::makeKeyAndVisible() {
  const bool appearing = m_root && !m_rootAppeared;
  if (appearing) m_root->viewWillAppear(false);
  show();
  if (m_host) m_host->popupBecameKey(this);
  // The keyboard goes to the field the screen chose, else to its first field.
  QWidget* chosen = focusWidget();
  if (!chosen || !isAncestorOf(chosen)) {
    chosen = nullptr;
    for (QWidget* child : findChildren<QWidget*>()) {
      if ((child->focusPolicy() & Qt::TabFocus) && child->isEnabled() && child->isVisibleTo(this)) {
        chosen = child;
        break;
      }
    }
  }
  if (chosen) chosen->setFocus(Qt::OtherFocusReason);
  if (appearing) {
    m_rootAppeared = true;
    m_root->viewDidAppear(false);
  }
}

void PopupWindow::resignKeyWindow() {
  if (m_host) m_host->popupResignedKey(this);
}

bool PopupWindow::isKeyWindow() const { return m_host && m_host->keyPopup() == this; }

void PopupWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (m_root && m_root->isViewLoaded() && m_root->view()->parentWidget() == this) m_root->view()->setGeometry(rect());
}

void PopupWindow::paintEvent(QPaintEvent*) {
  // A window is opaque: nothing of the main content shows through unless it fades.
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0xee, 0xf0, 0xf3));
}

}  // namespace ui
