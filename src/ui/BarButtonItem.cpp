#include "ui/BarButtonItem.h"

namespace ui {

BarButtonItem::BarButtonItem(const QString& title, Style style, QObject* parent)
    : QObject(parent), m_title(title), m_style(style) {}

void BarButtonItem::setTitle(const QString& title) {
  if (m_title == title) return;
  m_title = title;
  emit changed();
}

void BarButtonItem::setImageName(const QString& name) {
  if (m_imageName == name) return;
  m_imageName = name;
  emit changed();
}

void BarButtonItem::setStyle(Style style) {
  if (m_style == style) return;
  m_style = style;
  emit changed();
}

void BarButtonItem::setEnabled(bool enabled) {
  if (m_enabled == enabled) return;
  m_enabled = enabled;
  emit changed();
}

void BarButtonItem::trigger() {
  if (m_enabled) emit triggered(this);
}

}  // namespace ui
