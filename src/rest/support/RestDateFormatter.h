#pragma once
// The dates the mapper reads and writes: answers may carry "2013-03-03T12:00:00Z" or
// "03/15/2013" (both UTC); dates are written as "2013-03-03 12:00:00 +0000".
#include <QDateTime>
#include <QString>

#include <optional>

namespace rest {

class RestDateFormatter {
 public:
  // The first of the reading formats that accepts the whole text, or nothing.
  static std::optional<QDateTime> dateFromString(const QString& text);
  // The preferred (writing) format, in UTC.
  static QString stringFromDate(const QDateTime& date);
};

}  // namespace rest
