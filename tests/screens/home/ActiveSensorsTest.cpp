// Which devices the dashboard's "devices on" list shows, with which control, and how high.
#include "HomeTestSupport.h"

#include "backend/BESessionManager.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomSwitch.h"
#include "foundation/Strings.h"
#include "screens/home/AllActiveSensorsTableView.h"
#include "ui/TableView.h"

#include <gtest/gtest.h>

namespace {

using namespace hometest;

class ActiveSensorsTest : public ::testing::Test {
 protected:
  void TearDown() override { BESessionManager::getInstance().setDashboard(nullptr); }
  static void store(backend::RecordList<VODeviceLight> lighting, backend::RecordList<VODeviceLight> opening,
                    backend::RecordList<VODeviceLight> climatic) {
    auto dashboard = std::make_shared<VODashboard>();
    dashboard->lighting = std::move(lighting);
    dashboard->opening = std::move(opening);
    dashboard->climatic = std::move(climatic);
    BESessionManager::getInstance().setDashboard(dashboard);
  }
  static QStringList serials(const AllActiveSensorsTableView& list) {
    QStringList result;
    for (const auto& d : list.sensors()) result << QString::fromStdString(d->serial.value_or(""));
    return result;
  }
};

TEST_F(ActiveSensorsTest, ListsWhatIsOnByFamilyWithTheControlOfItsKind) {
  store({deviceLight("L1", "Salon", "P0RD", "ON"), deviceLight("L2", "Garage", "P0RG", "OFF")},
        {deviceLight("O1", "Volet", "P0MF30", "OPEN"), deviceLight("O2", "Velux", "P0MFM", "OFF"), deviceLight("O3", "Store", "P0MF6", "CLOSE")},
        {deviceLight("H1", "Thermostat", "P1WT", "ECO"), deviceLight("H2", "VMC", "P0VM", "TURBO"), deviceLight("H3", "Clim", "P1MCH", "OFF"),
         deviceLight("X1", "Inconnu", "ZZZ", "ON")});
  Host host;
  AllActiveSensorsTableView list;
  host.adopt(list.tableView(), 400);
  list.refreshData();
  // Lights first, then openings, then heating, whatever the order of the dashboard's lists.
  EXPECT_EQ(serials(list), (QStringList{"L1", "O1", "H1", "H2"}));
  EXPECT_EQ(list.contentHeight(), 50 + 50 + 100 + 100);
  ASSERT_NE(list.switchForRow(0), nullptr);
  EXPECT_TRUE(list.switchForRow(0)->isOn());
  ASSERT_NE(list.switchForRow(1), nullptr);
  ASSERT_NE(list.selectorForRow(2), nullptr);
  EXPECT_EQ(list.selectorForRow(2)->numberOfSection(), 4);
  EXPECT_EQ(list.selectorForRow(2)->selectedSection(), 2) << "Eco";
  ASSERT_NE(list.selectorForRow(3), nullptr);
  EXPECT_EQ(list.selectorForRow(3)->numberOfSection(), 2);
  EXPECT_EQ(list.selectorForRow(3)->selectedSection(), 0) << "a status of no position selects the first";
}

TEST_F(ActiveSensorsTest, WithNothingOnOneRowSaysSo) {
  store({deviceLight("L2", "Garage", "P0RG", "OFF")}, {}, {});
  AllActiveSensorsTableView list;
  EXPECT_TRUE(list.sensors().empty());
  EXPECT_EQ(list.contentHeight(), 50);
  EXPECT_EQ(list.tableView()->numberOfRowsInSection(0), 1);
  EXPECT_EQ(list.emptyText(), foundation::localized("Aucun équipement allumé."));
  EXPECT_FALSE(list.emptyText().isEmpty());
}

}  // namespace
