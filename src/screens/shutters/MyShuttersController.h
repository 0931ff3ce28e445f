#pragma once
// The shutters screen: every opening of the home with its switch, and the openings' scenarios.
#include "screens/devicelist/DeviceScreen.h"

class MyShuttersTableView;

class MyShuttersController : public devicelist::DeviceScreen {
  Q_OBJECT
 public:
  explicit MyShuttersController(QObject* parent = nullptr);

  MyShuttersTableView* shuttersList() const;
};
