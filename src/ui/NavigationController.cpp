#include "ui/NavigationController.h"

#include "ui/Animation.h"
#include "ui/KeyboardNavigation.h"
#include "ui/NavigationBar.h"

#include <QEvent>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {
const QByteArray kTransitionKey = "navigation.transition";
const QByteArray kBarKey = "navigation.bar";
}  // namespace

NavigationController::NavigationController(Screen* root, QObject* parent) : Screen(parent) {
  if (root) {
    root->setParent(this);
    root->setNavigationController(this);
    m_stack.append(root);
  }
  view();  // the bar and the root's view exist from the start, for the root's viewDidLoad to use
}

NavigationController::~NavigationController() {
  Animation::stop(this, kTransitionKey);
  // Screens first, top down, while their views still exist.
  for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) delete it->data();
  m_stack.clear();
}

void NavigationController::loadView() {
  auto* root = new QWidget();
  root->resize(320, 460);
  root->installEventFilter(this);
  m_container = new QWidget(root);
  m_container->setObjectName(QStringLiteral("navigationContent"));
  m_bar = new NavigationBar(root);
  connect(m_bar, &NavigationBar::backRequested, this, [this] { popViewControllerAnimated(true); });
  setView(root);
  if (Screen* top = topViewController()) {
    QWidget* v = top->view();
    v->setParent(m_container);
    v->show();
  }
  updateBarItems();
  layout();
}

QList<Screen*> NavigationController::viewControllers() const {
  QList<Screen*> list;
  for (const auto& s : m_stack) {
    if (s) list << s.data();
  }
  return list;
}

Screen* NavigationController::topViewController() const {
  for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
    if (*it) return it->data();
  }
  return nullptr;
}

Screen* NavigationController::rootViewController() const {
  for (const auto& s : m_stack) {
    if (s) return s.data();
  }
  return nullptr;
}

QRect NavigationController::contentFrame() const {
  QWidget* v = const_cast<NavigationController*>(this)->view();
  const int top = (m_barHidden ? 0 : NavigationBar::kHeight) + bannersHeight();
  return QRect(0, top, v->width(), std::max(0, v->height() - top));
}

int NavigationController::bannersHeight() const {
  int height = 0;
  for (const auto& banner : m_banners)
    if (banner && !banner->isHidden()) height += banner->height();
  return height;
}

void NavigationController::addBanner(QWidget* banner) {
  if (!banner || m_banners.contains(banner)) return;
  m_banners.append(banner);
  banner->installEventFilter(this);
  // Queued: a banner deleted with this controller's own view must not lay out what is going.
  connect(banner, &QObject::destroyed, this, [this] { layout(); }, Qt::QueuedConnection);
  layout();
}

void NavigationController::layoutBanners(int top) {
  for (const auto& banner : m_banners) {
    if (!banner || banner->isHidden()) continue;
    banner->setGeometry(0, top, view()->width(), banner->height());
    banner->raise();
    top += banner->height();
  }
}

void NavigationController::layout() {
  if (!m_container) return;
  QWidget* v = view();
  m_bar->setGeometry(0, m_barHidden ? -NavigationBar::kHeight : 0, v->width(), NavigationBar::kHeight);
  m_bar->setVisible(!m_barHidden);
  m_bar->raise();
  layoutBanners(m_barHidden ? 0 : NavigationBar::kHeight);
  m_container->setGeometry(contentFrame());
  if (!m_transitioning) {
    if (Screen* top = topViewController()) top->view()->setGeometry(m_container->rect());
  }
}

void NavigationController::updateBarItems() {
  if (!m_bar) return;
  const QList<Screen*> stack = viewControllers();
  Screen* top = stack.isEmpty() ? nullptr : stack.last();
  Screen* below = stack.size() > 1 ? stack[stack.size() - 2] : nullptr;
  m_bar->setItems(top ? top->navigationItem() : nullptr, below ? below->navigationItem() : nullptr);
}

bool NavigationController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view() && event->type() == QEvent::Resize) {
    finishTransition();
    layout();
  } else if (m_banners.contains(qobject_cast<QWidget*>(watched)) &&
             (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent ||
              (event->type() == QEvent::Resize && static_cast<QResizeEvent*>(event)->oldSize().height() !=
                                                      static_cast<QResizeEvent*>(event)->size().height()))) {
    layout();
  }
  return Screen::eventFilter(watched, event);
}

void NavigationController::finishTransition() {
  if (m_transitioning) Animation::finish(this, kTransitionKey);
}

void NavigationController::transition(Screen* from, Screen* to, bool push, bool animated, QList<Screen*> removed) {
  const bool onScreen = view()->isVisible();
  const QRect frame = m_container->rect();
  QWidget* toView = to->view();
  toView->setParent(m_container);
  toView->setGeometry(frame);
  m_transitioning = true;
  if (onScreen) {
    if (from) from->viewWillDisappear(animated);
    to->viewWillAppear(animated);
  }
  toView->show();
  toView->raise();
  if (!push && from) from->view()->raise();  // the popped screen slides away above the one revealed

  QPointer<Screen> fromGuard(from);
  QPointer<Screen> toGuard(to);
  const int w = frame.width();
  auto step = [fromGuard, toGuard, push, w, frame](double p) {
    const int shift = static_cast<int>(std::lround(w * p));
    if (toGuard) toGuard->view()->move(frame.x() + (push ? w - shift : -w + shift), frame.y());
    if (fromGuard) fromGuard->view()->move(frame.x() + (push ? -shift : shift), frame.y());
  };
  QList<QPointer<Screen>> doomed;
  for (Screen* s : removed) doomed << s;
  auto done = [this, fromGuard, toGuard, animated, onScreen, doomed, push](bool) {
    m_transitioning = false;
    if (fromGuard) {
      fromGuard->view()->hide();
      fromGuard->view()->setGeometry(m_container->rect());
    }
    if (toGuard) toGuard->view()->setGeometry(m_container->rect());
    if (onScreen) {
      if (fromGuard) fromGuard->viewDidDisappear(animated);
      if (toGuard) toGuard->viewDidAppear(animated);
    }
    if (!push && m_focusAfterPop && isKeyboardReachable(m_focusAfterPop)) m_focusAfterPop->setFocus(Qt::OtherFocusReason);
    m_focusAfterPop = nullptr;
    for (const auto& s : doomed) {
      if (!s) continue;
      s->view()->hide();
      s->setNavigationController(nullptr);
      s->deleteLater();
    }
    emit topViewControllerChanged();
  };
  if (!animated || !from) {
    step(1.0);
    done(true);
    return;
  }
  step(0.0);
  Animation::run(this, kTransitionKey, kTransitionSeconds, step, done, Curve::EaseInOut);
}

void NavigationController::pushViewController(Screen* screen, bool animated) {
  if (!screen || viewControllers().contains(screen)) return;
  finishTransition();
  Screen* from = topViewController();
  m_focusBeforePush.insert(screen, view()->window()->focusWidget());
  screen->setParent(this);
  screen->setNavigationController(this);
  screen->setInterfaceOrientation(interfaceOrientation());
  m_stack.append(screen);
  screen->view();  // viewDidLoad before the bar shows its items
  updateBarItems();
  transition(from, screen, true, animated, {});
}

void NavigationController::popViewControllerAnimated(bool animated) {
  const QList<Screen*> stack = viewControllers();
  if (stack.size() < 2) return;
  popToViewController(stack[stack.size() - 2], animated);
}

void NavigationController::popToRootViewControllerAnimated(bool animated) {
  if (Screen* root = rootViewController()) popToViewController(root, animated);
}

void NavigationController::popToViewController(Screen* screen, bool animated) {
  finishTransition();
  const QList<Screen*> stack = viewControllers();
  const int index = int(stack.indexOf(screen));
  if (index < 0 || index == stack.size() - 1) return;
  Screen* from = stack.last();
  QList<Screen*> removed = stack.mid(index + 1);
  m_focusAfterPop = m_focusBeforePush.value(removed.first());
  for (Screen* s : removed) m_focusBeforePush.remove(s);
  m_stack.clear();
  for (Screen* s : stack.mid(0, index + 1)) m_stack.append(s);
  updateBarItems();
  transition(from, screen, false, animated, removed);
}

void NavigationController::setNavigationBar(NavigationBar* bar) {
  if (!bar || bar == m_bar) return;
  QWidget* root = view();
  const QColor tint = m_bar ? m_bar->tintColor() : QColor();
  if (m_bar) {
    m_bar->disconnect(this);
    m_bar->hide();
    m_bar->deleteLater();
  }
  m_bar = bar;
  bar->setParent(root);
  if (tint.isValid() && !bar->tintColor().isValid()) bar->setTintColor(tint);
  connect(bar, &NavigationBar::backRequested, this, [this] { popViewControllerAnimated(true); });
  updateBarItems();
  layout();
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated) {
  if (hidden == m_barHidden) return;
  Animation::finish(this, kBarKey);
  m_barHidden = hidden;
  if (!animated) {
    layout();
    return;
  }
  // Slide the bar and stretch the content together.
  const int h = NavigationBar::kHeight;
  m_bar->show();
  QWidget* v = view();
  auto step = [this, v, hidden, h](double p) {
    const int barY = static_cast<int>(std::lround(hidden ? -h * p : -h * (1.0 - p)));
    m_bar->move(0, barY);
    layoutBanners(barY + h);
    const int top = barY + h + bannersHeight();
    m_container->setGeometry(0, top, v->width(), v->height() - top);
    if (!m_transitioning) {
      if (Screen* s = topViewController()) s->view()->setGeometry(m_container->rect());
    }
  };
  Animation::run(this, kBarKey, 0.25, step, [this](bool) { layout(); });
}

bool NavigationController::shouldAutorotateToInterfaceOrientation(Orientation orientation) const {
  Screen* top = topViewController();
  return top ? top->shouldAutorotateToInterfaceOrientation(orientation) : Screen::shouldAutorotateToInterfaceOrientation(orientation);
}

void NavigationController::willRotateToInterfaceOrientation(Orientation to, double duration) {
  finishTransition();
  if (Screen* top = topViewController()) top->willRotateToInterfaceOrientation(to, duration);
}

void NavigationController::didRotateFromInterfaceOrientation(Orientation from) {
  for (Screen* s : viewControllers()) s->setInterfaceOrientation(interfaceOrientation());
  if (Screen* top = topViewController()) top->didRotateFromInterfaceOrientation(from);
}

void NavigationController::viewWillAppear(bool animated) {
  if (Screen* top = topViewController()) top->viewWillAppear(animated);
}
void NavigationController::viewDidAppear(bool animated) {
  if (Screen* top = topViewController()) top->viewDidAppear(animated);
}
void NavigationController::viewWillDisappear(bool animated) {
  if (Screen* top = topViewController()) top->viewWillDisappear(animated);
}
void NavigationController::viewDidDisappear(bool animated) {
  if (Screen* top = topViewController()) top->viewDidDisappear(animated);
}

}  // namespace ui
