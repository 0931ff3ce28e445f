#pragma once
// The past of a demo home: events of every kind the history screen knows (alarms, mode changes
// by every means, sensor and station reports, favorites and scenarios run), some of which sent
// alert messages to 0, 1, 3 or 7 people, spread over the last days.
#include "home/Home.h"

#include <cstdint>

namespace simhome {

// Adds `count` events dated within the `days` before `nowMs`. Every kind appears at least once
// when `count` allows; the same seed gives the same events.
void generateHistory(Home& home, std::uint64_t seed, qint64 nowMs, int count, int days);

// One event of daily life, for a home that keeps living while the service runs: a sensor
// report, a door opened while the alarm is off, a station report. Chosen by `index`.
HistoryEvent lifeEvent(const Home& home, std::uint64_t seed, std::int64_t index, qint64 dateMs);

// The alert-key device types of the history screen (alarms that can be raised).
const QStringList& alarmTypes();

}  // namespace simhome
