#include "DeviceTestSupport.h"

#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"

namespace devicestest {

devicelist::DeviceCell* rowOf(const devicelist::DeviceListTableView* list, const QString& serial) {
  return list ? list->cellForSerial(serial) : nullptr;
}

CustomSwitch* switchOf(const devicelist::DeviceListTableView* list, const QString& serial) {
  auto* row = rowOf(list, serial);
  return row ? row->switchControl() : nullptr;
}

CustomButton* positionOf(const devicelist::DeviceListTableView* list, const QString& serial, int position) {
  auto* row = rowOf(list, serial);
  return row && row->selector() ? row->selector()->button(position) : nullptr;
}

int selectedPosition(const devicelist::DeviceListTableView* list, const QString& serial) {
  auto* row = rowOf(list, serial);
  return row && row->selector() ? row->selector()->selectedSection() : -1;
}

}  // namespace devicestest
