#pragma once
// Small helpers that give any widget the view properties the screens rely on: an integer tag
// (found again with viewWithTag), an alpha, a background colour and whether it takes touches.
#include <QColor>

class QWidget;

namespace ui {

// Tags are 0 until set. viewWithTag searches `root` itself first, then its descendants in
// creation order, and returns the first match (nullptr when none).
void setTag(QWidget* widget, int tag);
int tag(const QWidget* widget);
QWidget* viewWithTag(QWidget* root, int tag);
template <class T>
T* viewWithTag(QWidget* root, int tagValue) {
  return qobject_cast<T*>(viewWithTag(root, tagValue));
}

// Opacity of the widget and everything it holds, 0..1 (1 by default). Implemented with an
// opacity effect, which replaces any other graphics effect the widget had.
void setAlpha(QWidget* widget, double alpha);
double alpha(const QWidget* widget);

// Fills the widget's background with `color`; a fully transparent colour clears it again.
void setBackgroundColor(QWidget* widget, const QColor& color);
QColor backgroundColor(const QWidget* widget);

// A widget that takes no touches lets them through to what lies below it, like a label does.
void setUserInteractionEnabled(QWidget* widget, bool enabled);
bool isUserInteractionEnabled(const QWidget* widget);

// Colour from fractions 0..1, the way the screens give them.
inline QColor rgb(double r, double g, double b, double a = 1.0) { return QColor::fromRgbF(float(r), float(g), float(b), float(a)); }

}  // namespace ui
