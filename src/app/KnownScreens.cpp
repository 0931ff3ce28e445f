// The screens the main menu opens. When a screen of the menu lands in src/screens, add one line
// here with the class name its menu row carries, for example:
//
//   catalog.registerScreen(QStringLiteral("MyWeatherController"), [] { return new MyWeatherController(); });
//
// Rows whose screen is not listed open nothing.
#include "app/ScreenCatalog.h"

namespace app {

void registerKnownScreens(ScreenCatalog& /*catalog*/) {}

}  // namespace app
