#pragma once
// Every heating device of the home (red theme): towel rails, radiators and air conditioning with
// an on/off switch, the ventilation with its two speeds, the boiler with its three modes, and the
// pilot-wire radiators and thermostats with their four modes.
#include "screens/devicelist/DeviceListTableView.h"

class MyHeatingTableView : public devicelist::DeviceListTableView {
  Q_OBJECT
 public:
  MyHeatingTableView(const QRect& frame, QWidget* parent);

  static std::optional<devicelist::RowKind> rowKindFor(const QString& type);
};
