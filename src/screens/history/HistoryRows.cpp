#include "screens/history/HistoryRows.h"

#include "backend/records/HistoryRecords.h"

#include <algorithm>

namespace history {

int rowHeight(const VOHistory& e) {
  const bool sent = e.alert && *e.alert == "1";
  const int count = sent ? int(e.media.size()) : 0;
  if (count < 2) return kStandardRowHeight;
  return 67 + 15 * std::min(count, kMaxDestinationLines);
}

int listHeightForContentHeight(int contentHeight) {
  return contentHeight > kMinimumListHeight - 1 ? contentHeight : kMinimumListHeight;
}

}  // namespace history
