#include "ui/NavigationItem.h"

#include "foundation/Strings.h"

namespace ui {

NavigationItem::NavigationItem(QObject* parent) : QObject(parent) {}

void NavigationItem::setTitle(const QString& title) {
  if (m_title == title) return;
  m_title = title;
  emit changed();
}

void NavigationItem::adopt(QPointer<BarButtonItem>& slot, BarButtonItem* item) {
  if (slot == item) return;
  if (slot) {
    slot->disconnect(this);
    slot->deleteLater();
  }
  slot = item;
  if (item) {
    item->setParent(this);
    connect(item, &BarButtonItem::changed, this, &NavigationItem::changed);
  }
  emit changed();
}

void NavigationItem::setBackBarButtonItem(BarButtonItem* item) { adopt(m_back, item); }
void NavigationItem::setLeftBarButtonItem(BarButtonItem* item) { adopt(m_left, item); }
void NavigationItem::setRightBarButtonItem(BarButtonItem* item) { adopt(m_right, item); }

void NavigationItem::setHidesBackButton(bool hides) {
  if (m_hidesBackButton == hides) return;
  m_hidesBackButton = hides;
  emit changed();
}

QString NavigationItem::backButtonTitle() const {
  if (m_back) return m_back->title();
  if (!m_title.isEmpty()) return m_title;
  // The platform's own wording, from the string tables when they have it.
  const QString localized = foundation::localized("Back");
  return localized.isEmpty() ? QStringLiteral("Back") : localized;
}

}  // namespace ui
