#pragma once
// The main menu, written once: for each entry its column, its row (height, labels, picture, the
// class name of the screen it opens), the colour theme of that screen, and how to make the screen.
// The two menu columns, the menu's dispatch and the screen catalog all read this table.
#include "app/ScreenCatalog.h"
#include "controls/MenuColumn.h"

#include <QStringList>

#include <vector>

namespace app {

enum class MenuSide { Left, Right };

struct MenuEntry {
  MenuSide side;
  controls::MenuRow row;
  const char* colorId;            // the colour theme of the screen's controls
  ScreenCatalog::Factory factory; // empty while the screen is not part of the app
};

// The screen the menu's bar button opens.
inline constexpr const char* kSettingsScreenName = "MySettingsController";

// Every entry, the left column's first, each column from top to bottom.
const std::vector<MenuEntry>& menuEntries();

std::vector<controls::MenuRow> menuRows(MenuSide side);
// The class names of every entry's screen, in table order.
QStringList menuScreenNames();

}  // namespace app
