#pragma once
// What one event of the history says: its codes turned into up to three lines of text, its date,
// the people or numbers alerted, and how urgently it should reach the user. One set of code
// tables for the history screen and the event watcher. Pure functions of the record.
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

// How an event reaches a user who is not looking: critical (an alarm set off by a sensor, a help
// alert, a tamper), normal (the box's power and link, a sensor out of reach or low on battery),
// or not at all unless every event is asked for (modes, favorites, scenarios, reports).
enum class Urgency { None, Normal, Critical };
Urgency urgencyOf(const VOHistory& event);

// A row lists at most this many destination lines; past it, six and a line saying how many more.
inline constexpr int kMaxDestinationLines = 7;

// The key of an alarm's title by the type of the device that raised it; nullptr for other types.
const char* alertKeyOf(const QString& type);
// The key of a mode reached, by domain and state; nullptr for a combination that names no mode.
const char* modeKeyOf(const QString& subcategory, const QString& state);

}  // namespace history
