#include "ui/Accessibility.h"

#include "ui/Control.h"
#include "ui/TableViewCell.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace ui {
namespace {

const char* const kRoleProperty = "tbAccessibleRole";

const AccessibleElement* elementOf(const QWidget* widget) { return dynamic_cast<const AccessibleElement*>(widget); }
AccessibleElement* elementOf(QWidget* widget) { return dynamic_cast<AccessibleElement*>(widget); }

bool isRowControl(const QWidget* widget) {
  const AccessibleElement* element = elementOf(widget);
  if (!element) return false;
  switch (element->accessibleRole()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::Slider:
    case QAccessible::PageTabList:
    case QAccessible::RadioButton:
      return true;
    default:
      return false;
  }
}

// Whether `label` belongs to a control or a described element inside `cell` (a switch's captions).
bool insideElement(const QWidget* label, const QWidget* cell) {
  for (const QWidget* w = label->parentWidget(); w && w != cell; w = w->parentWidget()) {
    if (elementOf(w)) return true;
  }
  return false;
}

class WidgetInterface : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit WidgetInterface(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Client) {}

  QAccessible::Role role() const override {
    const QVariant forced = widget()->property(kRoleProperty);
    if (forced.isValid()) return QAccessible::Role(forced.toInt());
    if (const AccessibleElement* e = elementOf(widget())) return e->accessibleRole();
    return QAccessibleWidget::role();
  }

  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name:
        return accessibleNameFor(widget());
      case QAccessible::Value:
        if (const AccessibleElement* e = elementOf(widget())) return e->accessibleValue();
        return {};
      default:
        return QAccessibleWidget::text(t);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (const AccessibleElement* e = elementOf(widget())) e->addAccessibleState(s);
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) {
      const AccessibleElement* e = elementOf(widget());
      return (e && e->accessibleRange()) ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    }
    return QAccessibleWidget::interface_cast(t);
  }

  // Value interface: what the element reports, and a set that acts like the user's gesture.
  QVariant currentValue() const override { return range().value; }
  void setCurrentValue(const QVariant& value) override {
    if (AccessibleElement* e = elementOf(widget())) e->setAccessibleRangeValue(value.toDouble());
  }
  QVariant maximumValue() const override { return range().maximum; }
  QVariant minimumValue() const override { return range().minimum; }
  QVariant minimumStepSize() const override { return range().step; }

  // Actions: a press (or toggle, for what has a checked state) runs the element's own gesture.
  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (isRowControl(widget()) || role() == QAccessible::ListItem) {
      names.prepend(state().checkable ? toggleAction() : pressAction());
    }
    return names;
  }
  void doAction(const QString& name) override {
    if (name == pressAction() || name == toggleAction()) {
      if (AccessibleElement* e = elementOf(widget())) e->accessiblePress();
      return;
    }
    QAccessibleWidget::doAction(name);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (name == pressAction() || name == toggleAction()) return {QStringLiteral("Space"), QStringLiteral("Return")};
    return QAccessibleWidget::keyBindingsForAction(name);
  }

 private:
  AccessibleElement::Range range() const {
    const AccessibleElement* e = elementOf(widget());
    return e ? e->accessibleRange().value_or(AccessibleElement::Range{}) : AccessibleElement::Range{};
  }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return nullptr;
  if (elementOf(widget) || widget->property(kRoleProperty).isValid()) return new WidgetInterface(widget);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(factory);
}

void setAccessibleRole(QWidget* widget, QAccessible::Role role) {
  if (widget) widget->setProperty(kRoleProperty, int(role));
}

QString accessibleNameFor(const QWidget* widget) {
  if (!widget) return {};
  if (!widget->accessibleName().isEmpty()) return widget->accessibleName();
  if (const AccessibleElement* e = elementOf(widget)) {
    const QString shown = e->accessibleText();
    if (!shown.isEmpty()) return shown;
  }
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const QWidget* parent = widget->parentWidget()) {
    for (const QLabel* caption : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
      if (caption->buddy() == widget && !caption->text().isEmpty()) return caption->text();
    }
  }
  if (isRowControl(widget)) {
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
      if (const auto* cell = qobject_cast<const TableViewCell*>(w)) return accessibleRowText(cell);
    }
  }
  return {};
}

QString accessibleRowText(const QWidget* cell) {
  if (!cell) return {};
  struct Piece {
    QPoint at;
    QString text;
  };
  std::vector<Piece> pieces;
  for (const QLabel* label : cell->findChildren<QLabel*>()) {
    if (!label->isVisibleTo(cell) || label->text().trimmed().isEmpty() || insideElement(label, cell)) continue;
    pieces.push_back({label->mapTo(cell, QPoint(0, 0)), label->text().simplified()});
  }
  std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
    return a.at.y() != b.at.y() ? a.at.y() < b.at.y() : a.at.x() < b.at.x();
  });
  QStringList texts;
  for (const Piece& piece : pieces) texts << piece.text;
  return texts.join(QStringLiteral(", "));
}

void notifyAccessibleStateChanged(QWidget* widget) {
  if (!widget || !QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.checked = true;
  changed.selected = true;
  QAccessibleStateChangeEvent stateEvent(widget, changed);
  QAccessible::updateAccessibility(&stateEvent);
  if (const AccessibleElement* e = elementOf(widget)) {
    QAccessibleValueChangeEvent valueEvent(widget, e->accessibleRange() ? QVariant(e->accessibleRange()->value)
                                                                         : QVariant(e->accessibleValue()));
    QAccessible::updateAccessibility(&valueEvent);
  }
}

}  // namespace ui
