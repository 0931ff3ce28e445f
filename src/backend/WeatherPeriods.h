#pragma once
// The calendar periods of the weather station's figures: their bounds in local time, and the
// text form the service expects (whole seconds since 1970 followed by "000": milliseconds).
#include <QDateTime>
#include <QString>

namespace backend::weather {

struct PeriodBounds {
  QDateTime start;
  QDateTime end;
};

// Bounds of `period` ("day", "yesterday", "week", "month", "previousMonth", "year",
// "previousYear"; any other name counts as "day") for the local date and time `now`, in now's time
// zone. A bound given by a date alone is midnight at the start of that day; day 0 or a negative
// day, and month 0, fall into the previous month or year.
PeriodBounds periodBounds(const QString& period, const QDateTime& now);

// Whole seconds since 1970-01-01 UTC (rounded down) followed by "000".
QString millisecondsText(const QDateTime& time);

}  // namespace backend::weather
