#pragma once
// The lighting screen: every light of the home with its switch, and the lighting scenarios.
#include "screens/devicelist/DeviceScreen.h"

class MyLightingTableView;

class MyLightingController : public devicelist::DeviceScreen {
  Q_OBJECT
 public:
  explicit MyLightingController(QObject* parent = nullptr);

  MyLightingTableView* lightingList() const;
};
