#pragma once
// The menu's right column: safety, supervision, lighting, shutters, heating, consumption and
// weather, one row each.
#include "app/MenuColumn.h"

class RightVerticalNav : public app::MenuColumn {
 public:
  static constexpr int kWidth = 193;
  RightVerticalNav();
};
