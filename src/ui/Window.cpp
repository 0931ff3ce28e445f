#include "ui/Window.h"

#include "ui/AlertLayer.h"
#include "ui/Accessibility.h"
#include "ui/AlertView.h"
#include "ui/Fonts.h"
#include "ui/KeyboardNavigation.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/PopupWindow.h"
#include "ui/Screen.h"
#include "ui/StatusBar.h"
#include "ui/Button.h"
#include "ui/UiLogging.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

QList<QPointer<Window>>& liveWindows() {
  static QList<QPointer<Window>> windows;
  return windows;
}

double g_displayScale = 1.0;
constexpr double kMinScale = 0.5;
constexpr double kMaxScale = 4.0;
constexpr double kRotationSeconds = 0.3;

}  // namespace

Window::Window(QWidget* parent) : QWidget(parent) {
  Fonts::install();
  installAccessibility();
  setWindowTitle(QStringLiteral("TavroBox"));
  setFixedSize(screenSize(m_interface));
  m_statusBar = new StatusBar(this);
  liveWindows().append(this);
  m_focusRing = new FocusRing(this);

  // Ctrl+arrows turn the device, as in a phone simulator; a text field with the keyboard keeps
  // them for its own word moves.
  auto* left = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left), this);
  connect(left, &QShortcut::activated, this, [this] { setDeviceOrientation(rotatedCounterClockwise(m_device)); });
  auto* right = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right), this);
  connect(right, &QShortcut::activated, this, [this] { setDeviceOrientation(rotatedClockwise(m_device)); });
  layoutLayers();
}

Window::~Window() {
  liveWindows().removeAll(this);
  // Popups tell their window when they go; delete them while this window is still whole (as
  // mere children they would die in QWidget's destructor, calling back a half-destroyed window).
  const auto popups = m_popups;
  for (const auto& popup : popups) delete popup.data();
  m_popups.clear();
  m_keyPopup = nullptr;
  // Alerts and popups are children and go with the window; the root screen is not ours.
  if (m_root && m_root->isViewLoaded() && m_root->view()->parentWidget() == this) m_root->view()->setParent(nullptr);
}

Window* Window::current() {
  auto& windows = liveWindows();
  windows.removeAll(nullptr);
  return windows.isEmpty() ? nullptr : windows.last().data();
}

void Window::setStatusBarHidden(bool hidden) {
  m_statusBarHidden = hidden;
  m_statusBar->setVisible(!hidden);
  layoutLayers();
}

QRect Window::applicationFrame() const {
  const int top = m_statusBarHidden ? 0 : StatusBar::kHeight;
  return QRect(0, top, width(), std::max(0, height() - top));
}

Screen* Window::rootViewController() const { return m_root.data(); }

void Window::setRootViewController(Screen* screen) {
  if (m_root == screen) return;
  if (m_root && m_root->isViewLoaded()) {
    if (m_rootAppeared) m_root->viewWillDisappear(false);
    m_root->view()->hide();
    m_root->view()->setParent(nullptr);
    if (m_rootAppeared) m_root->viewDidDisappear(false);
  }
  m_root = screen;
  m_rootAppeared = false;
  if (!screen) return;
  screen->setInterfaceOrientation(m_interface);
  QWidget* view = screen->view();
  view->setParent(this);
  view->setGeometry(applicationFrame());
  if (isVisible()) {
    screen->viewWillAppear(false);
    view->show();
    screen->viewDidAppear(false);
    m_rootAppeared = true;
  } else {
    view->show();
  }
  restack();
}

void Window::makeKeyAndVisible() {
  auto& windows = liveWindows();
  windows.removeAll(this);
  windows.append(this);
  const bool appearing = m_root && !m_rootAppeared;
  if (appearing) m_root->viewWillAppear(false);
  show();
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();  // offscreen has no stacking
  activateWindow();
  if (appearing) {
    m_rootAppeared = true;
    m_root->viewDidAppear(false);
  }
}

PopupWindow* Window::keyPopup() const { return m_keyPopup; }

QList<PopupWindow*> Window::popups() const {
  QList<PopupWindow*> list;
  for (const auto& p : m_popups) {
    if (p) list << p.data();
  }
  return list;
}

void Window::addPopup(PopupWindow* popup) {
  m_popups.append(popup);
  restack();
}

void Window::removePopup(PopupWindow* popup) {
  m_popups.removeAll(popup);
  m_popups.removeAll(nullptr);
  if (m_keyPopup == popup || !m_keyPopup) popupResignedKey(popup);
  restack();
}

void Window::popupBecameKey(PopupWindow* popup) {
  if (!m_keyPopup) {
    QWidget* focused = focusWidget();
    m_focusBeforePopup = (focused && !popup->isAncestorOf(focused)) ? focused : nullptr;
  }
  m_keyPopup = popup;
  restack();
}

void Window::popupResignedKey(PopupWindow* popup) {
  if (m_keyPopup && m_keyPopup != popup) return;
  m_keyPopup = nullptr;
  // The next visible popup from the top keeps the keyboard, else the main content has it again.
  for (auto it = m_popups.rbegin(); it != m_popups.rend(); ++it) {
    if (*it && *it != popup && (*it)->isVisible()) {
      m_keyPopup = *it;
      return;
    }
  }
  if (m_focusBeforePopup) m_focusBeforePopup->setFocus(Qt::OtherFocusReason);
  m_focusBeforePopup = nullptr;
}

void Window::restack() {
  if (m_root && m_root->isViewLoaded() && m_root->view()->parentWidget() == this) m_root->view()->lower();
  // Popups by level; equal levels keep their order of creation.
  QList<PopupWindow*> ordered = popups();
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](PopupWindow* a, PopupWindow* b) { return int(a->windowLevel()) < int(b->windowLevel()); });
  for (PopupWindow* popup : ordered) popup->raise();
  m_statusBar->raise();
  if (m_alertLayer) m_alertLayer->raise();
  if (m_focusRing->isVisible()) m_focusRing->raise();
}

QWidget* Window::keyboardScope() const {
  const QList<AlertView*> shown = alerts();
  if (!shown.isEmpty() && shown.last()->panel()) return shown.last()->panel();
  if (m_keyPopup) return m_keyPopup;
  if (m_root && m_root->isViewLoaded()) return m_root->view();
  return const_cast<Window*>(this);
}

bool Window::focusNextPrevChild(bool next) {
  moveKeyboardFocus(keyboardScope(), next);
  // Never Qt's own chain: it would wander into the layers below.
  return true;
}

void Window::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  // A popup that has the keyboard (the login) is not a screen one can leave.
  if (m_keyPopup || !alerts().isEmpty()) return;
  auto* navigation = qobject_cast<NavigationController*>(m_root.data());
  if (!navigation || navigation->viewControllers().size() < 2 || navigation->isTransitioning()) return;
  // The back button as if tapped, so a screen that listens to it hears the key too; a bar that is
  // hidden (a video on the whole screen) still lets the key go back.
  Button* back = navigation->navigationBar()->backButton();
  if (back && back->activate()) return;
  navigation->popViewControllerAnimated(true);
}

void Window::layoutLayers() {
  m_statusBar->setGeometry(0, 0, width(), StatusBar::kHeight);
  const QRect app = applicationFrame();
  if (m_root && m_root->isViewLoaded() && m_root->view()->parentWidget() == this) m_root->view()->setGeometry(app);
  for (PopupWindow* popup : popups()) popup->setGeometry(app);
  if (m_alertLayer) m_alertLayer->setGeometry(app);
}

void Window::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutLayers();
}

void Window::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x0b, 0x0f, 0x15));
}

void Window::setDeviceOrientation(Orientation orientation) {
  if (orientation != m_device) {
    m_device = orientation;
    emit deviceOrientationChanged(orientation);
  }
  if (orientation == m_interface) return;
  // Every screen on show must accept the turn: the root's and the key popup's.
  if (m_root && !m_root->shouldAutorotateToInterfaceOrientation(orientation)) return;
  for (PopupWindow* popup : popups()) {
    if (popup->isVisible() && popup->rootViewController() &&
        !popup->rootViewController()->shouldAutorotateToInterfaceOrientation(orientation)) {
      return;
    }
  }
  rotateInterfaceTo(orientation);
}

void Window::rotateInterfaceTo(Orientation orientation) {
  const Orientation from = m_interface;
  QList<QPointer<Screen>> screens;
  if (m_root) screens << m_root;
  for (PopupWindow* popup : popups()) {
    if (popup->rootViewController()) screens << popup->rootViewController();
  }
  for (const auto& s : screens) {
    if (s) s->willRotateToInterfaceOrientation(orientation, kRotationSeconds);
  }
  m_interface = orientation;
  for (const auto& s : screens) {
    if (s) s->setInterfaceOrientation(orientation);
  }
  setFixedSize(screenSize(orientation));
  layoutLayers();
  for (const auto& s : screens) {
    if (s) s->didRotateFromInterfaceOrientation(from);
  }
  emit interfaceOrientationChanged(orientation);
}

// -- Display scale ----------------------------------------------------------------------------

bool Window::setDisplayScale(double scale) {
  if (!(scale >= kMinScale && scale <= kMaxScale)) {
    qCWarning(lcUi, "Display scale %g is outside %g..%g", scale, kMinScale, kMaxScale);
    return false;
  }
  if (QGuiApplication::instance()) {
    qCWarning(lcUi, "The display scale must be set before the application starts");
    return false;
  }
  g_displayScale = scale;
  // The platform scales every window, input and picture by this factor.
  qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
  return true;
}

double Window::displayScale() { return g_displayScale; }

foundation::Result<double> Window::displayScaleFromArguments(const QStringList& arguments) {
  const QString option = QStringLiteral("--scale");
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    QString value;
    if (arg == option) {
      if (i + 1 >= arguments.size()) {
        return foundation::Error{"ui.options", 1, "--scale needs a value, for example --scale 2", -1};
      }
      value = arguments[i + 1];
    } else if (arg.startsWith(option + QLatin1Char('='))) {
      value = arg.mid(option.size() + 1);
    } else {
      continue;
    }
    bool ok = false;
    const double scale = value.toDouble(&ok);
    if (!ok || !std::isfinite(scale) || scale < kMinScale || scale > kMaxScale) {
      return foundation::Error{"ui.options", 2,
                               QStringLiteral("--scale must be a number from %1 to %2, not \"%3\"")
                                   .arg(kMinScale)
                                   .arg(kMaxScale)
                                   .arg(value)
                                   .toStdString(),
                               -1};
    }
    return scale;
  }
  return 1.0;
}

// -- Alerts -----------------------------------------------------------------------------------

QWidget* Window::alertLayer() {
  if (!m_alertLayer) {
    m_alertLayer = new detail::AlertLayer(this);
    layoutLayers();
    restack();
  }
  return m_alertLayer;
}

QList<AlertView*> Window::alerts() const {
  return m_alertLayer ? static_cast<detail::AlertLayer*>(m_alertLayer)->alerts() : QList<AlertView*>();
}

}  // namespace ui
