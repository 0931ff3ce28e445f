#pragma once
// What the device screen tests share: finding a device's row and control, and touching them.
#include "screens/devicelist/DeviceListTableView.h"

#include <QString>
#include <QStringList>

#include <ostream>

// Readable failures for the texts the tests compare.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) { *out << texts.join(", ").toStdString(); }

class CustomButton;
class CustomSwitch;

namespace devicestest {

devicelist::DeviceCell* rowOf(const devicelist::DeviceListTableView* list, const QString& serial);
CustomSwitch* switchOf(const devicelist::DeviceListTableView* list, const QString& serial);
CustomButton* positionOf(const devicelist::DeviceListTableView* list, const QString& serial, int position);
// The selected position of a selector row, -1 when the row has none.
int selectedPosition(const devicelist::DeviceListTableView* list, const QString& serial);

}  // namespace devicestest
