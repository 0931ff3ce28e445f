#pragma once
// Every opening of the home, whatever its status (green theme): shutters and windows with a
// switch that opens and closes them, gates and garage doors with a pulse switch that falls back
// by itself.
#include "screens/devicelist/DeviceListTableView.h"

class MyShuttersTableView : public devicelist::DeviceListTableView {
  Q_OBJECT
 public:
  MyShuttersTableView(const QRect& frame, QWidget* parent);

  static std::optional<devicelist::RowKind> rowKindFor(const QString& type);
};
