#pragma once
// How a device list row drives its device: the control it shows and the statuses it sends.
#include <QString>
#include <QStringList>

namespace devicelist {

struct RowKind {
  enum class Control {
    Switch,    // two lasting states: statuses = {on, off}
    Pulse,     // a pulse: switched on it sends statuses[0], then falls back to off by itself
    Selector,  // one position per status; titleKeys give the positions' texts
  };

  Control control = Control::Switch;
  QStringList statuses;
  QStringList titleKeys;

  static RowKind onOff(const QString& on, const QString& off) { return {Control::Switch, {on, off}, {}}; }
  static RowKind pulse(const QString& status) { return {Control::Pulse, {status}, {}}; }
  static RowKind selector(QStringList statuses, QStringList titleKeys) {
    return {Control::Selector, std::move(statuses), std::move(titleKeys)};
  }

  // Points: a selector needs room for its name above it.
  int height() const { return control == Control::Selector ? 100 : 50; }

  // A switch shows on for its own "on" status and for the generic "ON" (an opening that reports
  // "OPEN" is open; one that reports "ON" is too); anything else shows off.
  bool showsOn(const QString& status) const {
    return control == Control::Switch && (status == statuses.value(0) || status == QLatin1String("ON"));
  }
  // The position showing `status`; the first one when no position stands for it.
  int position(const QString& status) const {
    const int index = statuses.indexOf(status);
    return index < 0 ? 0 : index;
  }
};

}  // namespace devicelist
