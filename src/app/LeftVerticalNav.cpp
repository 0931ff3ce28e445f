#include "app/LeftVerticalNav.h"

namespace {

std::vector<app::MenuRow> leftRows() {
  return {
      {131, "MYHOME", nullptr, "menu_myhome.png", "MyHomeController"},
      {131, "FAVORITES", nullptr, "menu_myfavorites.png", "MyFavoritesController"},
      // Two labels: languages that say "my history" in two words use both lines.
      {133, "MyOrHistory", "HistoryOrEmpty", "menu_myhistory.png", "MyHistoryController"},
  };
}

}  // namespace

LeftVerticalNav::LeftVerticalNav() : app::MenuColumn(leftRows(), 18) {}
