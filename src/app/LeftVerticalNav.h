#pragma once
// The menu's left column: home, favorites and history, in tall tiles.
#include "controls/MenuColumn.h"

class LeftVerticalNav : public controls::MenuColumn {
 public:
  static constexpr int kWidth = 127;
  LeftVerticalNav();
};
