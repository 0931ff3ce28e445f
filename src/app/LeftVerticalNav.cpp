#include "app/LeftVerticalNav.h"

#include "app/MenuTable.h"

LeftVerticalNav::LeftVerticalNav() : controls::MenuColumn(app::menuRows(app::MenuSide::Left), 18) {}
