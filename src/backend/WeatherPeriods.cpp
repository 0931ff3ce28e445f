#include "backend/WeatherPeriods.h"

#include <QTimeZone>

namespace backend::weather {

namespace {

// Midnight at the start of year-month-day, where the day may be 0 or negative and the month 0:
// counted from the first of the month, so the calendar carries them into earlier months.
QDateTime midnight(int year, int month, int day, const QTimeZone& zone) {
  QDate first(year, 1, 1);
  first = first.addMonths(month - 1);
  const QDate date = first.addDays(day - 1);
  // Where midnight is skipped by a daylight-saving change, Qt moves to the first valid time.
  return QDateTime(date, QTime(0, 0), zone);
}

}  // namespace

PeriodBounds periodBounds(const QString& period, const QDateTime& now) {
  const QTimeZone zone = now.timeZone();
  const QDate today = now.date();
  const int y = today.year();
  const int m = today.month();
  const int d = today.day();

  if (period == QLatin1String("yesterday")) return {midnight(y, m, d - 1, zone), midnight(y, m, d, zone)};
  if (period == QLatin1String("week")) return {midnight(y, m, d - 7, zone), midnight(y, m, d, zone)};
  if (period == QLatin1String("month")) return {midnight(y, m, 1, zone), now};
  if (period == QLatin1String("previousMonth")) return {midnight(y, m - 1, 1, zone), midnight(y, m, 1, zone)};
  if (period == QLatin1String("year")) return {midnight(y, 1, 1, zone), now};
  if (period == QLatin1String("previousYear")) return {midnight(y - 1, 1, 1, zone), midnight(y, 1, 1, zone)};
  return {midnight(y, m, d, zone), now};  // "day" and any name the service does not know
}

QString millisecondsText(const QDateTime& time) {
  const qint64 ms = time.toMSecsSinceEpoch();
  // Rounded down, also before 1970; 64 bits, so dates after 2038 stay right.
  const qint64 seconds = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
  return QString::number(seconds) + QStringLiteral("000");
}

}  // namespace backend::weather
