#pragma once
// How tall the history's rows and list are; what a row says comes from backend/HistoryTexts.h.
#include "backend/HistoryTexts.h"

namespace history {

// 80 points; a sent alert with two or more destinations grows by a line of 15 points for each.
int rowHeight(const VOHistory& event);

inline constexpr int kStandardRowHeight = 80;
// The list is never shorter than this.
inline constexpr int kMinimumListHeight = 355;
int listHeightForContentHeight(int contentHeight);

}  // namespace history
