#pragma once
// A stack of screens under a navigation bar. Pushing slides the new screen in from the right
// (0.35 s when animated); popping slides it out again and deletes the popped screens once the
// slide is over (on the next turn of the event loop). A push or pop while a slide is still
// running first completes that slide. The top screen's view fills the area below the bar (and the
// banners shown under it), or the whole controller when the bar is hidden.
//
// The controller owns the screens on its stack, and its bar, which may be replaced by a subclass.
#include "ui/Screen.h"

#include <QHash>
#include <QList>
#include <QPointer>

namespace ui {

class NavigationBar;

class NavigationController : public Screen {
  Q_OBJECT
 public:
  static constexpr double kTransitionSeconds = 0.35;

  explicit NavigationController(Screen* root, QObject* parent = nullptr);
  ~NavigationController() override;

  void pushViewController(Screen* screen, bool animated);
  // Pops the top screen (never the root).
  void popViewControllerAnimated(bool animated);
  void popToRootViewControllerAnimated(bool animated);
  // Pops every screen above `screen` (which must be on the stack).
  void popToViewController(Screen* screen, bool animated);

  QList<Screen*> viewControllers() const;
  Screen* topViewController() const;
  Screen* rootViewController() const;
  bool isTransitioning() const { return m_transitioning; }

  NavigationBar* navigationBar() const { return m_bar; }
  // Replaces the bar; the controller takes ownership and keeps the hidden state.
  void setNavigationBar(NavigationBar* bar);
  void setNavigationBarHidden(bool hidden, bool animated = false);
  bool isNavigationBarHidden() const { return m_barHidden; }
  // Where the top screen's view lies, in the controller's view.
  QRect contentFrame() const;
  // A strip under the bar that says something about the whole app (the service out of reach, an
  // alarm): while shown it takes its height from the screen, which is laid out below it rather
  // than under it. The banner is a child of the controller's view; shown ones stack in the order
  // added, the full width, each at its own height.
  void addBanner(QWidget* banner);

 signals:
  // A push or pop is over: another screen is on top.
  void topViewControllerChanged();

 public:

  bool shouldAutorotateToInterfaceOrientation(Orientation orientation) const override;
  void willRotateToInterfaceOrientation(Orientation to, double duration) override;
  void didRotateFromInterfaceOrientation(Orientation from) override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  void viewDidDisappear(bool animated) override;

 protected:
  void loadView() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void layout();
  // The shown banners, laid out from `top` down, and the height they take together.
  void layoutBanners(int top);
  int bannersHeight() const;
  void updateBarItems();
  void finishTransition();
  void transition(Screen* from, Screen* to, bool push, bool animated, QList<Screen*> removed);

  QList<QPointer<Screen>> m_stack;
  // Where the keyboard was when each screen was pushed: it goes back there when the screen goes.
  QHash<const Screen*, QPointer<QWidget>> m_focusBeforePush;
  QPointer<QWidget> m_focusAfterPop;
  NavigationBar* m_bar = nullptr;
  QWidget* m_container = nullptr;
  QList<QPointer<QWidget>> m_banners;
  bool m_barHidden = false;
  bool m_transitioning = false;
};

}  // namespace ui
