#pragma once
// Property animations of the toolkit: pushes, fades, slides and scroll settles all run through
// here. A global duration scale stretches or shrinks every animation; at 0 (what tests use) an
// animation completes inside the call that starts it, so a test sees the end state at once.
//
// An animation belongs to a target object and a key (one per animated property): starting a new
// animation on the same target and key interrupts the running one, whose completion then hears
// `finished == false`. Destroying the target stops its animations without calling anything.
#include <QByteArray>
#include <QPoint>
#include <QRect>

#include <functional>

class QObject;
class QWidget;

namespace ui {

enum class Curve { Linear, EaseIn, EaseOut, EaseInOut };

class Animation final {
 public:
  // Receives the eased progress, from 0 (start) to 1 (end).
  using Step = std::function<void(double progress)>;
  using Completion = std::function<void(bool finished)>;

  // Every duration is multiplied by this factor (default 1). Negative values count as 0.
  static void setDurationScale(double scale);
  static double durationScale();

  // Runs `step` over `seconds` (scaled). The first step of an animation that takes time comes on
  // the next frame; a zero duration runs step(1) and completion(true) before returning.
  static void run(QObject* target, const QByteArray& key, double seconds, Step step,
                  Completion completion = {}, Curve curve = Curve::EaseInOut);

  // Interrupts the animation of `key` on `target`: its completion hears false.
  static void stop(QObject* target, const QByteArray& key);
  // Jumps the animation of `key` on `target` to its end: step(1), then completion(true).
  static void finish(QObject* target, const QByteArray& key);
  static bool isRunning(const QObject* target, const QByteArray& key);

  // Common widget properties. Each uses its own key ("frame", "alpha"), so a slide and a fade of
  // the same widget run side by side.
  static void setFrame(QWidget* widget, const QRect& frame, double seconds,
                       Completion completion = {}, Curve curve = Curve::EaseInOut);
  static void moveTo(QWidget* widget, const QPoint& topLeft, double seconds,
                     Completion completion = {}, Curve curve = Curve::EaseInOut);
  static void fadeTo(QWidget* widget, double alpha, double seconds, Completion completion = {},
                     Curve curve = Curve::EaseInOut);

  // The curve's value at `t` (0..1); exposed for the few places that ease by hand.
  static double ease(Curve curve, double t);
};

}  // namespace ui
