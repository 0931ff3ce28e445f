#pragma once
// The heating screen: every heating device of the home with its switch or mode selector, and the
// heating scenarios.
#include "screens/devicelist/DeviceScreen.h"

class MyHeatingTableView;

class MyHeatingController : public devicelist::DeviceScreen {
  Q_OBJECT
 public:
  explicit MyHeatingController(QObject* parent = nullptr);

  MyHeatingTableView* heatingList() const;
};
