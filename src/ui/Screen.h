#pragma once
// A screen controller: it owns one view, made on first use (loadView, then viewDidLoad), and hears
// when the view appears and disappears and when the interface rotates. Containers (navigation
// controller, window, popup window) call the appearance and rotation callbacks; subclasses
// override them. Screens keep their logic in plain methods that tests call directly.
#include "ui/NavigationItem.h"
#include "ui/Orientation.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace ui {

class NavigationController;

class Screen : public QObject {
  Q_OBJECT
 public:
  explicit Screen(QObject* parent = nullptr);
  ~Screen() override;

  // Loads the view on first use.
  QWidget* view();
  bool isViewLoaded() const { return m_view != nullptr; }

  NavigationItem* navigationItem() const { return m_navigationItem; }
  // The navigation controller whose stack holds this screen, if any.
  NavigationController* navigationController() const;
  QString title() const { return m_navigationItem->title(); }
  void setTitle(const QString& title) { m_navigationItem->setTitle(title); }

  // Orientation: portrait only unless overridden.
  virtual bool shouldAutorotateToInterfaceOrientation(Orientation orientation) const;
  virtual void willRotateToInterfaceOrientation(Orientation /*to*/, double /*duration*/) {}
  virtual void didRotateFromInterfaceOrientation(Orientation /*from*/) {}
  Orientation interfaceOrientation() const { return m_orientation; }

  virtual void viewWillAppear(bool /*animated*/) {}
  virtual void viewDidAppear(bool /*animated*/) {}
  virtual void viewWillDisappear(bool /*animated*/) {}
  virtual void viewDidDisappear(bool /*animated*/) {}

  // Containers keep these up to date.
  void setInterfaceOrientation(Orientation orientation) { m_orientation = orientation; }
  void setNavigationController(NavigationController* controller);

 protected:
  // Makes the view. The default is an empty widget of the application area (320 × 460).
  virtual void loadView();
  virtual void viewDidLoad() {}
  // For loadView: the screen takes ownership.
  void setView(QWidget* view);

 private:
  QPointer<QWidget> m_view;
  NavigationItem* m_navigationItem;
  QPointer<NavigationController> m_navigationController;
  Orientation m_orientation = Orientation::Portrait;
  bool m_loading = false;
};

}  // namespace ui
