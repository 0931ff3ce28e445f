#pragma once
// The figures of the home's weather station over a period: averages, current values with their
// trends, minima and maxima with their dates, wind and rain. Readings follow the season and the
// hour of the day with seeded drift, so the same seed and period give the same figures.
#include <QJsonObject>

#include <cstdint>

namespace simhome {

struct WeatherReading {
  double tempIn, tempOut, humidityIn, humidityOut, pressure, wind, windDirection, rain;
};

// The dates the station answers for: 1970 to the end of year 9999. Anything outside is refused
// before any arithmetic on it, so that a period's span can never overflow.
inline constexpr qint64 kEarliestReadingMs = 0;
inline constexpr qint64 kLatestReadingMs = 253402300799999;

// The station's reading at a moment.
WeatherReading weatherAt(std::uint64_t seed, qint64 ms);

// The 45 members of the period's figures for [startMs, endMs], read up to `nowMs` (a period
// that reaches into the future ends now). Dates are milliseconds since 1970 as text; dates out of
// the station's range are taken as its nearest end.
QJsonObject weatherFigures(std::uint64_t seed, qint64 startMs, qint64 endMs, qint64 nowMs);

}  // namespace simhome
