#pragma once
// What one event of the history shows: its codes turned into up to three lines of text, its date,
// the people or numbers alerted, and the height of its row. Pure functions of the record.
#include <QString>
#include <QStringList>

class VOHistory;

namespace history {

struct RowTexts {
  QString title;
  QString detail;
  QString via;
  QString date;               // two lines: the day, then the time
  QStringList destinations;   // one line each, top to bottom
};

// Events of reasons "10", "11" and "17" are kept by the gateway but not shown.
bool isShown(const VOHistory& event);
RowTexts rowTexts(const VOHistory& event);
// 80 points; a sent alert with two or more destinations grows by a line of 15 points for each.
int rowHeight(const VOHistory& event);

inline constexpr int kStandardRowHeight = 80;
// A row lists at most this many destination lines; past it, six and a line saying how many more.
inline constexpr int kMaxDestinationLines = 7;
// The list is never shorter than this.
inline constexpr int kMinimumListHeight = 355;
int listHeightForContentHeight(int contentHeight);

// The key of an alarm's title by the type of the device that raised it; nullptr for other types.
const char* alertKeyOf(const QString& type);
// The key of a mode reached, by domain and state; nullptr for a combination that names no mode.
const char* modeKeyOf(const QString& subcategory, const QString& state);

}  // namespace history
