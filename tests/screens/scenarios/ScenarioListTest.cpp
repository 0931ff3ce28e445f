// The scenario lists against the simulated service: what each mode lists, what a tap sends, and
// how a refused command puts the row back.
#include "../home/HomeTestSupport.h"
#include "../support/ScreenHarness.h"
#include "UiTestSupport.h"

#include "backend/BESessionManager.h"
#include "controls/playstop/CustomPlayStop.h"
#include "foundation/Strings.h"
#include "screens/scenarios/ScenarioHeatingController.h"
#include "screens/scenarios/ScenarioLightingController.h"
#include "screens/scenarios/ScenarioShuttersController.h"
#include "screens/scenarios/ScenarioTableViewController.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"

#include <QJsonArray>

namespace screentest {
namespace {

using namespace hometest;

class ScenarioListTest : public ScreenTest {
 protected:
  static QStringList names(const ScenarioTableViewController& list) {
    QStringList result;
    for (const auto& s : list.scenarios()) result << QString::fromStdString(s->name.value_or(""));
    return result;
  }
  // "ENABLED"/"DISABLED" of a scenario in the simulated home.
  QString homeStatus(int id) {
    for (const auto& s : simRead(QStringLiteral("/scenario/light"))["scenarios"].toArray())
      if (s.toObject()["id"].toInt() == id) return s.toObject()["status"].toString();
    return {};
  }
  static int rowsInView(const ScenarioTableViewController& list) {
    int shown = 0;
    for (auto* cell : list.tableView()->contentView()->findChildren<ui::TableViewCell*>())
      if (cell->isVisible()) ++shown;
    return shown;
  }
};

TEST_F(ScenarioListTest, ADomainListShowsExactlyItsCategoryAsTheServiceHasIt) {
  const struct {
    const char* filter;
    QStringList names;
    QList<bool> running;
  } cases[] = {
      {"LIGHTING", {"Éclairage du soir", "Simulation de présence"}, {true, false}},
      {"OPENINGS", {"Fermeture des volets", "Ouverture du matin", "Alarme en partant"}, {false, true, false}},
      {"CLIMATIC", {"Hors gel", "Confort du week-end"}, {false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.filter);
    Host host;
    ScenarioTableViewController list(QString::fromLatin1(c.filter));
    host.adopt(list.tableView(), 330);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(names(list), c.names);
    for (int row = 0; row < int(c.names.size()); ++row) {
      ASSERT_NE(list.controlForRow(row), nullptr);
      EXPECT_EQ(list.controlForRow(row)->isSelected(), c.running[row]) << "row " << row;
    }
  }

  // The category must match exactly; a list with nothing of its own says so.
  BESessionManager::getInstance().setScenarios({scenario("20", "Lampes", "ENABLED", "lighting")});
  ScenarioTableViewController heating(QStringLiteral("CLIMATIC"));
  heating.refreshData();
  ScenarioTableViewController lighting(QStringLiteral("LIGHTING"));
  lighting.refreshData();
  EXPECT_TRUE(lighting.scenarios().empty());
  EXPECT_EQ(lighting.emptyText(), foundation::localized("You do not have scripts for your lighting."));
  EXPECT_EQ(heating.emptyText(), foundation::localized("You do not have scripts for your heating."));
  EXPECT_FALSE(heating.emptyText().isEmpty());
  EXPECT_EQ(heating.tableView()->numberOfRowsInSection(0), 1);
  ASSERT_TRUE(waitIdle());
}

TEST_F(ScenarioListTest, AnAnswerThatArrivesAgainRebuildsTheSameRows) {
  Host host;
  ScenarioTableViewController list(QStringLiteral("OPENINGS"));
  host.adopt(list.tableView(), 330);
  ASSERT_TRUE(waitIdle());
  ui::TableView* table = list.tableView();
  const int cells = int(table->contentView()->findChildren<ui::TableViewCell*>().size());
  int changes = 0;
  QObject::connect(&list, &ScenarioTableViewController::contentChanged, [&] { ++changes; });
  // Each answer says something new (a scenario changed elsewhere); an unchanged one redraws nothing.
  sim->signIn();
  for (const char* status : {"ENABLED", "DISABLED"}) {
    ASSERT_EQ(sim->call("PUT", "/scenario/9/status", QByteArray(R"({"key":"status","value":")") + status + R"("})").status, 200);
    list.fetch();
    ASSERT_TRUE(waitIdle());
  }
  list.fetch();
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(list.tableView(), table);
  EXPECT_EQ(changes, 2) << "one rebuild per answer";
  EXPECT_EQ(int(table->contentView()->findChildren<ui::TableViewCell*>().size()), cells) << "rows piled up";
  EXPECT_EQ(rowsInView(list), 3);
}

TEST_F(ScenarioListTest, ATapSendsTheIdentifierAsTextAndOnlyWhenTheTouchEndsOnTheControl) {
  Host host;
  ScenarioTableViewController list(QStringLiteral("LIGHTING"));
  host.adopt(list.tableView(), 330);
  ASSERT_TRUE(waitIdle());
  BESessionManager::getInstance().setScenarios({scenario("007", "Sept", "DISABLED", "LIGHTING"),
                                                scenario("soir", "Soir", "DISABLED", "LIGHTING"),
                                                scenario(nullptr, "Sans identifiant", "DISABLED", "LIGHTING")});
  list.refreshData();
  sim->server().clearRecordedRequests();

  // A touch that ends elsewhere sends nothing and changes nothing.
  CustomPlayStop* first = list.controlForRow(0);
  ASSERT_NE(first, nullptr);
  uitest::press(first, first->rect().center());
  uitest::release(first, first->rect().center() + QPoint(0, 200));
  EXPECT_FALSE(first->isSelected());
  EXPECT_TRUE(requestsTo(*sim, "PUT", "/scenario/").isEmpty());

  uitest::tap(first);
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(requestsTo(*sim, "PUT", "/scenario/"), QStringList{"/scenario/007/status"});
  EXPECT_TRUE(list.controlForRow(0)->isSelected());
  EXPECT_EQ(list.scenarios()[0]->status, "ENABLED") << "the confirmed status is kept";

  // An identifier the home does not know is refused: the row shows the stored status again.
  uitest::tap(list.controlForRow(1));
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(requestsTo(*sim, "PUT", "/scenario/").value(1), "/scenario/soir/status");
  EXPECT_FALSE(list.controlForRow(1)->isSelected());
  EXPECT_EQ(alertCount(), 1);
  dismissAlert();

  // Without an identifier there is nothing to command.
  CustomPlayStop* third = list.controlForRow(2);
  EXPECT_FALSE(third->isEnabled());
  uitest::tap(third);
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(requestsTo(*sim, "PUT", "/scenario/").size(), 2);
}

TEST_F(ScenarioListTest, APlayedScenarioLeavesAtOnceWhenStoppedAndComesBackWhenTheStopIsRefused) {
  auto dashboard = std::make_shared<VODashboard>();
  dashboard->scenarios = {scenario("7", "Éclairage du soir", "ENABLED", "LIGHTING"),
                          scenario("9", "Fermeture des volets", "DISABLED", "OPENINGS"),
                          scenario("10", "Ouverture du matin", "ENABLED", "OPENINGS")};
  BESessionManager::getInstance().setDashboard(dashboard);
  Host host;
  ScenarioTableViewController played(QStringLiteral("PLAYED"));
  host.adopt(played.tableView(), 100);
  EXPECT_EQ(names(played), (QStringList{"Éclairage du soir", "Ouverture du matin"}));
  EXPECT_TRUE(requestsTo(*sim, "GET", "/scenario/").isEmpty()) << "this list reads the dashboard";

  fail(QStringLiteral("/scenario/:id/status"), QStringLiteral("PUT"));
  uitest::tap(played.controlForRow(0));
  EXPECT_EQ(names(played), QStringList{"Ouverture du matin"});
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(names(played), (QStringList{"Éclairage du soir", "Ouverture du matin"}));
  EXPECT_EQ(dashboard->scenarios[0]->status, "ENABLED");
  EXPECT_EQ(alertCount(), 1);
  dismissAlert();

  uitest::tap(played.controlForRow(0));
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(names(played), QStringList{"Ouverture du matin"});
  EXPECT_EQ(dashboard->scenarios[0]->status, "DISABLED");
  EXPECT_EQ(homeStatus(7), "DISABLED");
  EXPECT_EQ(alertCount(), 0);
}

TEST_F(ScenarioListTest, EachScenarioScreenStartsAScenarioInTheHomeAndARefusedStopLeavesItRunning) {
  const struct {
    std::function<ScenarioScreenController*()> make;
    int id;
  } cases[] = {
      {[] { return new ScenarioLightingController(); }, 8},
      {[] { return new ScenarioShuttersController(); }, 9},
      {[] { return new ScenarioHeatingController(); }, 11},
  };
  for (const auto& c : cases) {
    ScenarioScreenController* screen = c.make();
    SCOPED_TRACE(screen->metaObject()->className());
    app->navigationController()->pushViewController(screen, false);
    ASSERT_TRUE(waitIdle());
    ScenarioTableViewController* list = screen->listScenariosTableView();
    EXPECT_EQ(list->tableView()->height(), 330);
    int row = 0;
    while (row < int(list->scenarios().size()) && list->scenarios()[size_t(row)]->identifier != std::to_string(c.id)) ++row;
    ASSERT_LT(row, int(list->scenarios().size()));

    uitest::tap(list->controlForRow(row));
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(homeStatus(c.id), "ENABLED");
    EXPECT_TRUE(list->controlForRow(row)->isSelected());

    gatewayOffline(true);
    uitest::tap(list->controlForRow(row));
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(list->controlForRow(row)->isSelected());
    EXPECT_EQ(homeStatus(c.id), "ENABLED");
    EXPECT_EQ(alertCount(), 1);
    dismissAlert();
    gatewayOffline(false);
    app->navigationController()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(waitIdle());
  }
}

TEST_F(ScenarioListTest, AScreenGrowsItsListFromSevenScenarios) {
  auto* screen = new ScenarioLightingController();
  app->navigationController()->pushViewController(screen, false);
  ASSERT_TRUE(waitIdle());
  backend::RecordList<VOScenario> many;
  for (int i = 0; i < 7; ++i) many.push_back(scenario(std::to_string(30 + i).c_str(), "Scénario", "DISABLED", "LIGHTING"));
  BESessionManager::getInstance().setScenarios(many);
  screen->listScenariosTableView()->refreshData();
  EXPECT_EQ(screen->listScenariosTableView()->tableView()->height(), 350);
  EXPECT_GE(screen->scrollView()->contentSize().height(), 350);
}

}  // namespace
}  // namespace screentest
