#pragma once
// A second window over the application area of a Window, at a level (the login popup sits at the
// alert level, above the main content). It shows one screen and can be faded with ui::setAlpha
// or ui::Animation::fadeTo. Deleting it removes it; the main content has the keyboard again.
#include "ui/Window.h"

#include <QPointer>
#include <QWidget>

namespace ui {

class Screen;

class PopupWindow : public QWidget {
  Q_OBJECT
 public:
  explicit PopupWindow(Window* host, WindowLevel level = WindowLevel::Alert);
  ~PopupWindow() override;

  Window* host() const { return m_host; }
  WindowLevel windowLevel() const { return m_level; }
  void setWindowLevel(WindowLevel level);

  // The screen shown; not owned.
  void setRootViewController(Screen* screen);
  Screen* rootViewController() const;

  // Shows the popup above the lower levels and gives it the keyboard.
  void makeKeyAndVisible();
  void resignKeyWindow();
  bool isKeyWindow() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QPointer<Window> m_host;
  WindowLevel m_level;
  QPointer<Screen> m_root;
  bool m_rootAppeared = false;
};

}  // namespace ui
