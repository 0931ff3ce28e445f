#include "ui/Views.h"

#include <QGraphicsOpacityEffect>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace ui {
namespace {
constexpr const char* kTagProperty = "ui_tag";
}

void setTag(QWidget* widget, int tag) {
  if (widget) widget->setProperty(kTagProperty, tag);
}

int tag(const QWidget* widget) {
  return widget ? widget->property(kTagProperty).toInt() : 0;
}

QWidget* viewWithTag(QWidget* root, int tagValue) {
  if (!root) return nullptr;
  if (tag(root) == tagValue) return root;
  const auto all = root->findChildren<QWidget*>();  // depth-first, in creation order
  for (QWidget* child : all) {
    if (tag(child) == tagValue) return child;
  }
  return nullptr;
}

void setAlpha(QWidget* widget, double value) {
  if (!widget) return;
  value = std::clamp(value, 0.0, 1.0);
  auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget->graphicsEffect());
  if (value >= 1.0) {
    // A fully opaque widget needs no offscreen pass.
    if (effect) widget->setGraphicsEffect(nullptr);
    return;
  }
  if (!effect) {
    effect = new QGraphicsOpacityEffect(widget);
    widget->setGraphicsEffect(effect);
  }
  effect->setOpacity(value);
}

double alpha(const QWidget* widget) {
  if (!widget) return 0.0;
  auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget->graphicsEffect());
  return effect ? effect->opacity() : 1.0;
}

void setBackgroundColor(QWidget* widget, const QColor& color) {
  if (!widget) return;
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(color.isValid() && color.alpha() > 0);
}

QColor backgroundColor(const QWidget* widget) {
  if (!widget || !widget->autoFillBackground()) return QColor(Qt::transparent);
  return widget->palette().color(QPalette::Window);
}

void setUserInteractionEnabled(QWidget* widget, bool enabled) {
  if (widget) widget->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

bool isUserInteractionEnabled(const QWidget* widget) {
  return widget && !widget->testAttribute(Qt::WA_TransparentForMouseEvents);
}

}  // namespace ui
