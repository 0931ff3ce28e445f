#pragma once
// The menu's right column: safety, supervision, lighting, shutters, heating, consumption and
// weather, one row each.
#include "controls/MenuColumn.h"

class RightVerticalNav : public controls::MenuColumn {
 public:
  static constexpr int kWidth = 193;
  RightVerticalNav();
};
