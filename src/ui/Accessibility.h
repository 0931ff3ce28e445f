#pragma once
// What assistive technology (screen readers, switch access, test drivers) learns of the toolkit's
// widgets, decided in one place: one QAccessible factory, installed once, describes every control,
// row, picture, list, alert and spinner.
//
// A widget says what it is by implementing AccessibleElement (every ui::Control does); a plain
// widget can be given a role with setAccessibleRole. Names are chosen in this order: the widget's
// own accessibleName (set by a screen for icon-only controls), the text it shows (a button's
// title), the text of a caption label whose buddy it is, and, for a control inside a table row
// that shows no text of its own (a switch, a play/stop), the row's text. A control inside a row
// therefore reads as the device, favorite or scenario it drives.
#include <QAccessible>
#include <QString>

#include <optional>

class QWidget;

namespace ui {

class AccessibleElement {
 public:
  virtual ~AccessibleElement() = default;

  virtual QAccessible::Role accessibleRole() const = 0;
  // The text the element shows as its own name (a title); empty for pictures and bare controls.
  virtual QString accessibleText() const { return {}; }
  // The current setting in words ("activé", "Éco", "page 2 sur 3"); empty when there is none.
  virtual QString accessibleValue() const { return {}; }
  // States beyond those every widget has (checkable and checked, selected, busy, unavailable).
  virtual void addAccessibleState(QAccessible::State& /*state*/) const {}

  // A number the user can set (sliders, page indicators), with the same effect as a gesture.
  struct Range {
    double minimum = 0;
    double maximum = 0;
    double step = 0;
    double value = 0;
  };
  virtual std::optional<Range> accessibleRange() const { return std::nullopt; }
  virtual void setAccessibleRangeValue(double /*value*/) {}
  // What an assistive "press" does; false when it can do nothing now.
  virtual bool accessiblePress() { return false; }
};

// Installs the factory (once; later calls do nothing). The toolkit's widgets call it themselves.
void installAccessibility();

// A role for a widget that implements no AccessibleElement (a panel, a banner).
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

// The name the factory gives `widget` (see above); empty when it has none.
QString accessibleNameFor(const QWidget* widget);
// The words of a table row: the texts of its labels in reading order, joined by ", ". Labels
// inside the row's controls (a switch's own captions) are left out.
QString accessibleRowText(const QWidget* cell);

// Tells assistive technology that `widget`'s state or value changed (no cost when none listens).
void notifyAccessibleStateChanged(QWidget* widget);

}  // namespace ui
