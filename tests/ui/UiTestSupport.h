#pragma once
// Support for the toolkit's tests. Every test program that links this runs with animations of
// zero duration (Animation's scale is 0 before each test), so fades and slides end at once.
//
// A finger for offscreen widget tests: mouse events go through the widget's window, so hit
// testing, widgets that let touches through and the implicit grab of the pressed widget all work
// as with real input. Each event comes `ms` milliseconds after the previous one, which is what
// scroll views measure speeds from.
#include <QPoint>

class QWidget;

namespace uitest {

void press(QWidget* target, QPoint pos, int ms = 10);
void move(QWidget* target, QPoint pos, int ms = 10);
void release(QWidget* target, QPoint pos, int ms = 10);
// Press and release at the same place.
void tap(QWidget* target, QPoint pos);
void tap(QWidget* target);
// Press at `from`, move in `steps` equal steps to `to`, release there; `msPerStep` between events.
// Slow steps (over 100 ms) leave no speed at the release; quick ones flick.
void drag(QWidget* target, QPoint from, QPoint to, int steps = 10, int msPerStep = 150);

}  // namespace uitest
