// To add a screen to the menu, give its entry a factory and include its header:
//
//   {MenuSide::Right, {68, "WEATHER", nullptr, "menu_weather.png", "MyWeatherController"}, "orange2",
//    make<MyWeatherController>},
#include "app/MenuTable.h"

#include "screens/energies/MyEnergiesController.h"
#include "screens/favorites/MyFavoritesController.h"
#include "screens/heating/MyHeatingController.h"
#include "screens/history/MyHistoryController.h"
#include "screens/home/MyHomeController.h"
#include "screens/lighting/MyLightingController.h"
#include "screens/safety/MySafetyController.h"
#include "screens/settings/MySettingsController.h"
#include "screens/shutters/MyShuttersController.h"
#include "screens/supervision/MySupervisionController.h"
#include "screens/weather/MyWeatherController.h"
#include "ui/Screen.h"

namespace app {

namespace {
template <class S>
ui::Screen* make() {
  return new S();
}
}  // namespace

const std::vector<MenuEntry>& menuEntries() {
  static const std::vector<MenuEntry> entries{
      {MenuSide::Left, {131, "MYHOME", nullptr, "menu_myhome.png", "MyHomeController"}, "blue", make<MyHomeController>},
      {MenuSide::Left, {131, "FAVORITES", nullptr, "menu_myfavorites.png", "MyFavoritesController"}, "syan", make<MyFavoritesController>},
      // Two labels: languages that say "my history" in two words use both lines.
      {MenuSide::Left, {133, "MyOrHistory", "HistoryOrEmpty", "menu_myhistory.png", "MyHistoryController"}, "purple", make<MyHistoryController>},
      {MenuSide::Right, {55, "SAFETY", nullptr, "menu_mysecurity.png", "MySafetyController"}, "orange1", make<MySafetyController>},
      {MenuSide::Right, {55, "SUPERVISION", nullptr, "menu_mysupervision.png", "MySupervisionController"}, "blue", make<MySupervisionController>},
      {MenuSide::Right, {55, "LIGHTING", nullptr, "menu_mylighting.png", "MyLightingController"}, "yellow", make<MyLightingController>},
      {MenuSide::Right, {55, "SHUTTERS", nullptr, "menu_myshutters.png", "MyShuttersController"}, "green", make<MyShuttersController>},
      {MenuSide::Right, {55, "HEATING", nullptr, "menu_myheating.png", "MyHeatingController"}, "red", make<MyHeatingController>},
      {MenuSide::Right, {55, "CONSUMPTION", nullptr, "menu_myconsumption.png", "MyEnergiesController"}, "green", make<MyEnergiesController>},
      // The last row also closes the column.
      {MenuSide::Right, {68, "WEATHER", nullptr, "menu_weather.png", "MyWeatherController"}, "orange2", make<MyWeatherController>},
  };
  return entries;
}

std::vector<controls::MenuRow> menuRows(MenuSide side) {
  std::vector<controls::MenuRow> rows;
  for (const MenuEntry& entry : menuEntries())
    if (entry.side == side) rows.push_back(entry.row);
  return rows;
}

QStringList menuScreenNames() {
  QStringList names;
  for (const MenuEntry& entry : menuEntries()) names << QString::fromLatin1(entry.row.screenName);
  return names;
}

void registerKnownScreens(ScreenCatalog& catalog) {
  for (const MenuEntry& entry : menuEntries())
    if (entry.factory) catalog.registerScreen(QString::fromLatin1(entry.row.screenName), entry.factory);
  // Not a row of the columns: the menu's bar opens it.
  catalog.registerScreen(QString::fromLatin1(kSettingsScreenName), make<MySettingsController>);
}

}  // namespace app
