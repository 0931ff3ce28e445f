#include "app/RightVerticalNav.h"

namespace {

std::vector<app::MenuRow> rightRows() {
  return {
      {55, "SAFETY", nullptr, "menu_mysecurity.png", "MySafetyController"},
      {55, "SUPERVISION", nullptr, "menu_mysupervision.png", "MySupervisionController"},
      {55, "LIGHTING", nullptr, "menu_mylighting.png", "MyLightingController"},
      {55, "SHUTTERS", nullptr, "menu_myshutters.png", "MyShuttersController"},
      {55, "HEATING", nullptr, "menu_myheating.png", "MyHeatingController"},
      {55, "CONSUMPTION", nullptr, "menu_myconsumption.png", "MyEnergiesController"},
      // The last row also closes the column.
      {68, "WEATHER", nullptr, "menu_weather.png", "MyWeatherController"},
  };
}

}  // namespace

RightVerticalNav::RightVerticalNav() : app::MenuColumn(rightRows(), 52) {}
