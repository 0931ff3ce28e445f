#pragma once
// Preferences the settings screen sets and the start reads.
namespace foundation {

// The texts' language ("fr", "en"; absent: the system's), read at start.
inline constexpr const char* kLanguagePref = "Language";
// Seconds between two reads of the open screen (absent: the configuration's RefreshInterval).
inline constexpr const char* kRefreshIntervalPref = "RefreshInterval";

}  // namespace foundation
