#pragma once
// Notifications between the supervision screen, its video player and its recordings list. Like
// the service layer's, each constant is the text of its own name.

// The player started a stream / the picture really moves / playback ended (after kHideOverlay).
inline constexpr char kShowOverlay[] = "kShowOverlay";
inline constexpr char kHideOverlay[] = "kHideOverlay";
inline constexpr char VideoPlayerStartNotif[] = "VideoPlayerStartNotif";
inline constexpr char VideoPlayerStopNotif[] = "VideoPlayerStopNotif";
// A recording's play button was pressed; the list's selectedRec() says which.
inline constexpr char kNewSelectedPlaybackForPlayer[] = "kNewSelectedPlaybackForPlayer";
