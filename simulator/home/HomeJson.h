#pragma once
// The home file (JSON) read into a Home, and the Home written in the wire forms of the service.
#include "home/Home.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace simhome {

struct HomeSetup {
  std::uint64_t seed = 1;
  qint64 nowMs = 0;  // "now" when the home is loaded: recordings and history are dated from it
};

// Reads a home. Errors name the member at fault ("devices[3].type: ...").
std::optional<Home> homeFromJson(const QJsonObject& json, const HomeSetup& setup, QString* error);
// Reads a home file; `path` may be a Qt resource (":/...").
std::optional<Home> loadHomeFile(const QString& path, const HomeSetup& setup, QString* error);

// The built-in demo home shipped with the service.
QString builtInHomePath();

// Wire forms (member names as the app maps them).
QJsonObject deviceJson(const Device& d);
QJsonObject deviceLightJson(const Device& d);
QJsonObject favoriteJson(const Favorite& f);
QJsonObject scenarioJson(const Scenario& s);
QJsonObject modeJson(const QString& domain, const QString& mode);
QJsonObject historyJson(const HistoryEvent& e, const QString& timeZoneId);
QJsonObject recordingJson(const Recording& r, const QString& timeZoneId);
QJsonObject dashboardJson(const Home& home);

// "dd/MM/yyyy HH:mm:ss" in the home's zone: a date part and a time part separated by a space.
QString formatDate(qint64 ms, const QString& timeZoneId);

}  // namespace simhome
