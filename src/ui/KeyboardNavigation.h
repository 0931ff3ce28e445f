#pragma once
// Driving the phone from a keyboard. Tab and Shift+Tab go through the widgets that take the
// keyboard in reading order, as they are shown (top to bottom, and left to right along a line),
// within the layer that has the keyboard: the top alert, else the key popup, else the main
// content. The widget that has the keyboard is outlined by a ring in its colour theme, and a
// widget inside a scrolling area is scrolled into view when it takes the keyboard.
//
// Each widget keeps its own keys (see Control: Space and Return do what a completed touch does);
// the window adds Escape, which goes back one screen.
#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace ui {

// Whether the user can reach `widget` now: shown, enabled, taking the keyboard from Tab, and
// neither it nor a container of it lets touches through.
bool isKeyboardReachable(const QWidget* widget);

// The reachable widgets inside `scope`, in reading order.
QList<QWidget*> keyboardChain(QWidget* scope);

// Moves the keyboard to the next (or previous) widget of `scope`'s chain after the one that has
// it, wrapping around; to the first (last) when none of the chain has it. False when the chain is
// empty.
bool moveKeyboardFocus(QWidget* scope, bool forward);

// Moves the keyboard from `from` to the nearest reachable widget of `scope` in the direction of
// the arrow key `key` (Qt::Key_Up, Down, Left, Right). False when there is none that way.
bool moveKeyboardFocusTowards(QWidget* scope, QWidget* from, int key);

// The outline around the widget that has the keyboard. The window makes one; it follows the
// keyboard by itself. It shows while the keyboard is in use (a key pressed since the last touch or
// click), so that a user who taps gets no ring around a widget that took the keyboard by itself.
class FocusRing : public QWidget {
  Q_OBJECT
 public:
  explicit FocusRing(QWidget* window);

  // The widget outlined, if any.
  QWidget* target() const { return m_target; }
  QColor color() const { return m_color; }
  // Recomputes where the ring goes (the widget moved, scrolled, or the keyboard moved).
  void follow();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void watch(QWidget* target);
  void setKeyboardInUse(bool inUse);

  QPointer<QWidget> m_target;
  bool m_keyboardInUse = false;
  QList<QPointer<QWidget>> m_watched;
  QColor m_color;
  QRect m_ring;  // in the ring's coordinates (the window's)
};

// Keeps a ring off a widget that takes the keyboard only to hold it (a modal layer).
void setDrawsFocusRing(QWidget* widget, bool draws);

}  // namespace ui
