#include "home/Weather.h"

#include "home/Noise.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace simhome {

namespace {

constexpr qint64 kHourMs = 3600 * 1000;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

double round1(double v) { return std::round(v * 10.0) / 10.0; }

// Position in the year (0 at mid-January, the coldest) and in the day (0 at 03:00 UTC).
double yearPhase(qint64 ms) { return double(ms % (365LL * 24 * kHourMs)) / double(365LL * 24 * kHourMs) - 15.0 / 365.0; }
double dayPhase(qint64 ms) { return double((ms - 3 * kHourMs) % (24 * kHourMs)) / double(24 * kHourMs); }

QString msText(qint64 ms) { return QString::number(ms); }

QString trendOf(double now, double before, double threshold) {
  if (now - before > threshold) return QStringLiteral("H");
  if (before - now > threshold) return QStringLiteral("B");
  return QStringLiteral("S");
}

struct Series {
  double sum = 0, min = 0, max = 0;
  qint64 minAt = 0, maxAt = 0;
  int n = 0;
  void add(double v, qint64 at) {
    if (n == 0 || v < min) { min = v; minAt = at; }
    if (n == 0 || v > max) { max = v; maxAt = at; }
    sum += v;
    ++n;
  }
  double average() const { return n ? sum / n : 0.0; }
};

}  // namespace

WeatherReading weatherAt(std::uint64_t seed, qint64 ms) {
  const double season = -std::cos(kTwoPi * yearPhase(ms));        // -1 in winter, +1 in summer
  const double daily = -std::cos(kTwoPi * dayPhase(ms));          // -1 at night, +1 mid-afternoon
  WeatherReading r{};
  r.tempOut = 12.0 + 9.0 * season + 4.5 * daily + 3.0 * smoothNoise(seed, 1, ms, 6 * kHourMs);
  r.tempIn = 20.5 + 0.8 * daily + 0.6 * smoothNoise(seed, 2, ms, 4 * kHourMs) + 0.5 * season;
  r.humidityOut = std::clamp(72.0 - 12.0 * daily - 6.0 * season + 10.0 * smoothNoise(seed, 3, ms, 8 * kHourMs), 25.0, 99.0);
  r.humidityIn = std::clamp(47.0 + 4.0 * smoothNoise(seed, 4, ms, 10 * kHourMs), 30.0, 65.0);
  r.pressure = 1015.0 + 12.0 * smoothNoise(seed, 5, ms, 36 * kHourMs);
  r.wind = std::max(0.0, 12.0 + 10.0 * smoothNoise(seed, 6, ms, 5 * kHourMs) + 4.0 * daily);
  r.windDirection = std::floor((smoothNoise(seed, 7, ms, 12 * kHourMs) + 1.0) * 8.0);  // 0..16 sixteenths
  // Rain falls when the pressure is low and the sky wet: a few tenths of millimetre an hour.
  const double wet = smoothNoise(seed, 8, ms, 3 * kHourMs) - (r.pressure - 1015.0) / 24.0;
  r.rain = wet > 0.55 ? (wet - 0.55) * 2.0 : 0.0;
  return r;
}

QJsonObject weatherFigures(std::uint64_t seed, qint64 startMs, qint64 endMs, qint64 nowMs) {
  auto inRange = [](qint64 ms) { return std::clamp(ms, kEarliestReadingMs, kLatestReadingMs); };
  const qint64 end = inRange(std::min(endMs, nowMs));
  const qint64 start = std::min(inRange(startMs), end);
  // Hourly readings; long periods are read less often so that a year costs as much as a month.
  const qint64 span = end - start;
  const qint64 step = std::max<qint64>(kHourMs, (span / 720 / kHourMs + 1) * kHourMs);
  Series tIn, tOut, hIn, hOut, p, w;
  double rainTotal = 0;
  for (qint64 t = start; t <= end; t += step) {
    const WeatherReading r = weatherAt(seed, t);
    tIn.add(round1(r.tempIn), t);
    tOut.add(round1(r.tempOut), t);
    hIn.add(std::round(r.humidityIn), t);
    hOut.add(std::round(r.humidityOut), t);
    p.add(std::round(r.pressure), t);
    w.add(std::round(r.wind), t);
    rainTotal += r.rain * double(step) / double(kHourMs);
  }
  const WeatherReading current = weatherAt(seed, end);
  const WeatherReading before = weatherAt(seed, end - 3 * kHourMs);
  // The current values count among the period's extremes.
  tIn.add(round1(current.tempIn), end);
  tOut.add(round1(current.tempOut), end);
  hIn.add(std::round(current.humidityIn), end);
  hOut.add(std::round(current.humidityOut), end);
  p.add(std::round(current.pressure), end);
  w.add(std::round(current.wind), end);

  const double directionDegrees = std::fmod(current.windDirection, 16.0) * 22.5;
  QJsonObject o;
  o["tempInAverage"] = round1(tIn.average());
  o["tempOutAverage"] = round1(tOut.average());
  o["humidityInAverage"] = std::round(hIn.average());
  o["humidityOutAverage"] = std::round(hOut.average());
  o["pressureAverage"] = std::round(p.average());
  o["windAverage"] = std::round(w.average());
  o["date"] = msText(end);
  auto block = [&](const char* prefix, double now, double was, const Series& s, double threshold, bool oneDecimal) {
    const QString pre = QString::fromLatin1(prefix);
    o[pre + "Current"] = oneDecimal ? round1(now) : std::round(now);
    o[pre + "Trend"] = trendOf(now, was, threshold);
    o[pre + "Min"] = s.min;
    o[pre + "MinDate"] = msText(s.minAt);
    o[pre + "Max"] = s.max;
    o[pre + "MaxDate"] = msText(s.maxAt);
  };
  block("tempIn", current.tempIn, before.tempIn, tIn, 0.3, true);
  block("tempOut", current.tempOut, before.tempOut, tOut, 0.5, true);
  block("humidityIn", current.humidityIn, before.humidityIn, hIn, 2.0, false);
  block("humidityOut", current.humidityOut, before.humidityOut, hOut, 3.0, false);
  block("pressure", current.pressure, before.pressure, p, 1.0, false);
  o["windCurrent"] = std::round(current.wind);
  o["windTrend"] = trendOf(current.wind, before.wind, 3.0);
  // The station reports sixteen compass points as degrees ("22.5", "45", ...).
  o["windDirection"] = QString::number(directionDegrees, 'g', 6);
  o["windMax"] = w.max;
  o["windMaxDate"] = msText(w.maxAt);
  o["rainLastHour"] = round1(current.rain);
  o["rainTrend"] = trendOf(current.rain, before.rain, 0.1);
  o["rainTotal"] = round1(rainTotal);
  return o;
}

}  // namespace simhome
