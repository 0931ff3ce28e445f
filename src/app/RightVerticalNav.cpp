#include "app/RightVerticalNav.h"

#include "app/MenuTable.h"

RightVerticalNav::RightVerticalNav() : controls::MenuColumn(app::menuRows(app::MenuSide::Right), 52) {}
