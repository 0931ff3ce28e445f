#pragma once
// The phone: a 320 × 480 point window (480 × 320 in landscape) with the 20-point status bar at
// the top and the root screen's view in the application area below it. Popup windows (see
// PopupWindow) cover the application area at their level, above the root view; alerts (see
// AlertView) cover everything but the status bar.
//
// The device orientation can be turned from the keyboard (Ctrl+Left / Ctrl+Right); the interface
// follows when the screens on show accept the new orientation.
//
// From the keyboard, Tab and Shift+Tab go through the layer that has the keyboard (see
// KeyboardNavigation) and Escape goes back one screen: the navigation bar's back button, as if
// tapped (nothing on the root screen; an alert on show takes Escape as its cancel button).
//
// The display scale (--scale) multiplies the window's real size; it has to be chosen before the
// application object exists (see setDisplayScale).
#include "ui/Orientation.h"

#include "foundation/Result.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace ui {

class AlertView;
class FocusRing;
class PopupWindow;
class Screen;
class StatusBar;

enum class WindowLevel { Normal = 0, StatusBar = 1000, Alert = 2000 };

class Window : public QWidget {
  Q_OBJECT
 public:
  explicit Window(QWidget* parent = nullptr);
  ~Window() override;

  // The window made key and visible last (or, before that, created last), while it lives.
  static Window* current();

  StatusBar* statusBar() const { return m_statusBar; }
  void setStatusBarHidden(bool hidden);
  bool isStatusBarHidden() const { return m_statusBarHidden; }
  // The area below the status bar, in window coordinates.
  QRect applicationFrame() const;

  // The screen whose view fills the application area; not owned.
  void setRootViewController(Screen* screen);
  Screen* rootViewController() const;
  // Shows the window and tells the root screen that its view appears.
  void makeKeyAndVisible();
  // The popup that has the keyboard, if any.
  PopupWindow* keyPopup() const;
  QList<PopupWindow*> popups() const;

  Orientation deviceOrientation() const { return m_device; }
  Orientation interfaceOrientation() const { return m_interface; }
  // The device turns; the interface turns with it when the screens on show accept it.
  void setDeviceOrientation(Orientation orientation);

  // Alerts on show, oldest first; the last one is on top.
  QList<AlertView*> alerts() const;

  // What Tab goes through now: the top alert, else the key popup, else the root screen's view.
  QWidget* keyboardScope() const;
  FocusRing* focusRing() const { return m_focusRing; }

  // Display scale: must be set before the application object is created (it becomes the
  // platform's scale factor). Returns false, and changes nothing, when it is too late or the value
  // is outside 0.5 .. 4.
  static bool setDisplayScale(double scale);
  static double displayScale();
  // Reads "--scale X" or "--scale=X" from the command line; 1 when absent. A malformed or
  // out-of-range value is an error that names the option.
  static foundation::Result<double> displayScaleFromArguments(const QStringList& arguments);

 signals:
  void interfaceOrientationChanged(ui::Orientation orientation);
  void deviceOrientationChanged(ui::Orientation orientation);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  friend class PopupWindow;
  friend class AlertView;

  void addPopup(PopupWindow* popup);
  void removePopup(PopupWindow* popup);
  void popupBecameKey(PopupWindow* popup);
  void popupResignedKey(PopupWindow* popup);
  QWidget* alertLayer();
  void restack();
  void layoutLayers();
  void rotateInterfaceTo(Orientation orientation);

  StatusBar* m_statusBar = nullptr;
  bool m_statusBarHidden = false;
  QPointer<Screen> m_root;
  bool m_rootAppeared = false;
  QList<QPointer<PopupWindow>> m_popups;
  QPointer<PopupWindow> m_keyPopup;
  QPointer<QWidget> m_focusBeforePopup;
  QWidget* m_alertLayer = nullptr;
  FocusRing* m_focusRing = nullptr;
  Orientation m_device = Orientation::Portrait;
  Orientation m_interface = Orientation::Portrait;
};

}  // namespace ui
