// The favorites screen opened from the menu against the simulated home: starting one runs it in
// the home (and stops the one that ran), a refused command puts the rows back as the service
// last confirmed them, and identifiers reach the command as the service gave them.
#include "../home/HomeTestSupport.h"
#include "../support/ScreenHarness.h"
#include "UiTestSupport.h"

#include "backend/BESessionManager.h"
#include "controls/playstop/CustomPlayStop.h"
#include "foundation/Strings.h"
#include "screens/favorites/MyFavoritesController.h"
#include "screens/favorites/MyFavoritesTableView.h"
#include "ui/TableView.h"

#include <QJsonArray>

namespace screentest {
namespace {

using namespace hometest;

class FavoritesTest : public ScreenTest {
 protected:
  // The rows as "name:running" ("Nuit:0").
  static QStringList shown(const MyFavoritesTableView& list) {
    QStringList rows;
    for (int row = 0; row < int(list.favorites().size()); ++row) {
      const CustomPlayStop* control = list.controlForRow(row);
      rows << QStringLiteral("%1:%2").arg(QString::fromStdString(list.favorites()[size_t(row)]->name.value_or("")),
                                          control && control->isSelected() ? "1" : "0");
    }
    return rows;
  }
  // The identifiers of the favorites that run in the simulated home.
  QStringList runningInHome() {
    QStringList ids;
    for (const auto& f : simRead(QStringLiteral("/favorite/light"))["favorites"].toArray())
      if (f.toObject()["status"].toString() == "1") ids << QString::number(f.toObject()["id"].toInt());
    return ids;
  }
};

TEST_F(FavoritesTest, StartingAFavoriteRunsItInTheHomeAndARefusedCommandPutsTheRowsBack) {
  auto* screen = open<MyFavoritesController>("MyFavoritesController");
  ASSERT_NE(screen, nullptr);
  MyFavoritesTableView* list = screen->tableView();
  const QStringList demo{"Soirée cinéma:1", "Départ au travail:0", "Retour à la maison:0", "Nuit:0"};
  ASSERT_EQ(shown(*list), demo);
  EXPECT_EQ(list->tableView()->height(), 355);

  // Start "Nuit": it runs, the one that ran stops, here and in the home.
  const QStringList night{"Soirée cinéma:0", "Départ au travail:0", "Retour à la maison:0", "Nuit:1"};
  uitest::tap(list->controlForRow(3));
  EXPECT_EQ(shown(*list), night) << "shown at once";
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(shown(*list), night);
  EXPECT_EQ(runningInHome(), QStringList{"12"});

  // Refused: by the service, then by the gateway off line. The rows show the last confirmed state.
  for (const bool gatewayOff : {false, true}) {
    SCOPED_TRACE(gatewayOff ? "gateway off line" : "service failure");
    if (gatewayOff)
      gatewayOffline(true);
    else
      fail(QStringLiteral("/favorite/:id/start"), QStringLiteral("PUT"));
    uitest::tap(list->controlForRow(1));
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(shown(*list), night);
    EXPECT_EQ(runningInHome(), QStringList{"12"});
    EXPECT_EQ(alertCount(), 1);
    dismissAlert();
    gatewayOffline(false);
  }

  // Stop it: nothing runs.
  uitest::tap(list->controlForRow(3));
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(shown(*list), (QStringList{"Soirée cinéma:0", "Départ au travail:0", "Retour à la maison:0", "Nuit:0"}));
  EXPECT_TRUE(runningInHome().isEmpty());
}

TEST_F(FavoritesTest, AnIdentifierGoesToTheCommandAsTextAndAFavoriteWithoutOneCannotBePressed) {
  auto* screen = open<MyFavoritesController>("MyFavoritesController");
  ASSERT_NE(screen, nullptr);
  MyFavoritesTableView* list = screen->tableView();
  BESessionManager::getInstance().setFavorites(
      {favorite("012", "Nuit", "0"), favorite("soir", "Soir", "0"), favorite(nullptr, "Sans identifiant", "0")});
  list->refreshData();
  sim->server().clearRecordedRequests();

  // A touch that ends elsewhere sends nothing.
  CustomPlayStop* first = list->controlForRow(0);
  uitest::press(first, first->rect().center());
  uitest::release(first, first->rect().center() + QPoint(0, 120));
  EXPECT_TRUE(requestsTo(*sim, "PUT", "/favorite/").isEmpty());
  EXPECT_FALSE(first->isSelected());

  uitest::tap(first);
  ASSERT_TRUE(waitIdle());
  uitest::tap(list->controlForRow(1));
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(requestsTo(*sim, "PUT", "/favorite/"), (QStringList{"/favorite/012/start", "/favorite/soir/start"}));
  EXPECT_EQ(shown(*list), (QStringList{"Nuit:1", "Soir:0", "Sans identifiant:0"}));
  EXPECT_EQ(alertCount(), 1) << "the home knows no favorite \"soir\"";
  dismissAlert();

  EXPECT_FALSE(list->controlForRow(2)->isEnabled());
  uitest::tap(list->controlForRow(2));
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(requestsTo(*sim, "PUT", "/favorite/").size(), 2);
}

TEST_F(FavoritesTest, TheListGrowsFromSevenFavoritesAndSaysWhenThereIsNone) {
  auto* screen = open<MyFavoritesController>("MyFavoritesController");
  ASSERT_NE(screen, nullptr);
  MyFavoritesTableView* list = screen->tableView();
  for (const int count : {0, 6, 7, 9}) {
    SCOPED_TRACE(count);
    backend::RecordList<VOFavorite> favorites;
    for (int i = 0; i < count; ++i) favorites.push_back(favorite(std::to_string(i + 1).c_str(), "Favori", "0"));
    BESessionManager::getInstance().setFavorites(favorites);
    list->refreshData();
    EXPECT_EQ(list->tableView()->height(), count < 7 ? 355 : 50 * count);
    EXPECT_EQ(list->tableView()->numberOfRowsInSection(0), std::max(1, count));
    EXPECT_EQ(list->emptyText(), count == 0 ? foundation::localized("You do not have favorites.") : QString());
  }
  EXPECT_FALSE(foundation::localized("You do not have favorites.").isEmpty());
}

}  // namespace
}  // namespace screentest
