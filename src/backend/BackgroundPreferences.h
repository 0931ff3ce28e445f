#pragma once
// The preferences of what the app does when its window is not in front, for the settings screen:
// - stays in the background when its window is closed ("Rester actif en arrière-plan"), watching
//   for events; by default on when the desktop has a tray (the app, which knows, says so at start:
//   this layer has no widgets);
// - starts with the desktop session, in the background (an XDG autostart entry that runs the app
//   with --background, written or removed as the preference changes);
// - tells every event, mode changes, favorites and scenarios included (not only alarms and faults).
// A change is posted as kBackgroundPreferencesDidChange.
#include <QString>

#include <functional>

inline constexpr const char kBackgroundPreferencesDidChange[] = "kBackgroundPreferencesDidChange";

namespace backend::background {

// The .desktop id of the app, its autostart entry's name.
inline constexpr const char* kAppId = "tavrobox";

bool staysInBackground();
void setStaysInBackground(bool on);
// What staysInBackground() says while the user has not chosen, asked each time as a tray may come
// after the app (false until told).
void setStaysInBackgroundByDefault(std::function<bool()> on);

bool everyEvent();
void setEveryEvent(bool on);

// Whether the autostart entry is there.
bool startsWithSession();
// Writes or removes the entry for this program as it was started (the settings screen's switch).
bool setStartsWithSession(bool on, QString* error = nullptr);
// The configuration file this run uses ("" for the built-in one), for the entry's --config.
void setLaunchConfiguration(const QString& configPath);
// Writes the entry (running `program` with --background, and --config `configPath` when given) or
// removes it; false, with `error` set, when the file cannot be written or removed.
bool setStartsWithSession(bool on, const QString& program, const QString& configPath = {}, QString* error = nullptr);
// $XDG_CONFIG_HOME/autostart/tavrobox.desktop (~/.config when the variable is unset or relative).
QString autostartFile();
// The Exec line of a desktop entry running `arguments` (program first), quoted as entries need.
QString desktopExecLine(const QStringList& arguments);

}  // namespace backend::background
