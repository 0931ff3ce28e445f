#pragma once
// The menu's left column: home, favorites and history, in tall tiles.
#include "app/MenuColumn.h"

class LeftVerticalNav : public app::MenuColumn {
 public:
  static constexpr int kWidth = 127;
  LeftVerticalNav();
};
