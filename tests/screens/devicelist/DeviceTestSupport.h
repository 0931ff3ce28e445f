#pragma once
// What the device screen tests share: what a device's row shows, and touching its control.
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"
#include "screens/devicelist/DeviceScreen.h"
#include "ui/ScrollView.h"
#include "ui/UiTestSupport.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) { *out << texts.join(", ").toStdString(); }

namespace devicestest {

// The control of `serial`'s row: its switch ("toggle") or one position of its selector ("0".."3").
inline QWidget* controlOf(const devicelist::DeviceScreen* screen, const QString& serial, const QString& control) {
  devicelist::DeviceCell* row = screen->listTableView()->cellForSerial(serial);
  if (!row) return nullptr;
  if (control == "toggle") return row->switchControl();
  return row->selector() ? row->selector()->button(control.toInt()) : nullptr;
}

// What the row shows: "on", "off", the selected position, or "no row".
inline QString shown(const devicelist::DeviceScreen* screen, const QString& serial) {
  devicelist::DeviceCell* row = screen->listTableView()->cellForSerial(serial);
  if (!row) return "no row";
  if (row->switchControl()) return row->switchControl()->isOn() ? "on" : "off";
  return QString::number(row->selector()->selectedSection());
}

// Scrolls the control into view and taps it.
inline void touch(devicelist::DeviceScreen* screen, const QString& serial, const QString& control) {
  QWidget* widget = controlOf(screen, serial, control);
  ASSERT_NE(widget, nullptr) << serial.toStdString() << " has no control " << control.toStdString();
  const QPoint topLeft = widget->mapTo(screen->listTableView(), QPoint(0, 0));
  screen->tableScrollView()->scrollRectToVisible(QRectF(QRect(topLeft, widget->size())), false);
  uitest::tap(widget);
}

}  // namespace devicestest
