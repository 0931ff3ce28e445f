#pragma once
// Every light of the home, whatever its status, with an on/off switch each (yellow theme).
#include "screens/devicelist/DeviceListTableView.h"

class MyLightingTableView : public devicelist::DeviceListTableView {
  Q_OBJECT
 public:
  MyLightingTableView(const QRect& frame, QWidget* parent);

  static std::optional<devicelist::RowKind> rowKindFor(const QString& type);
};
