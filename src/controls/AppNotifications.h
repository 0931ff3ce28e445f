#pragma once
// Notifications of the application shell. Like the service layer's, each constant is the text of
// its own name.

// The login popup is going away after a successful sign-in; the menu returns to its root.
inline constexpr const char kRenewSession[] = "kRenewSession";

// A screen asks the app to end the session (the settings' "Se déconnecter"). User info:
// kSignOutEraseDataKey (bool) also removes the account's stored answers; kSignOutKeepPasswordKey
// (bool) keeps its remembered password, to come back to it from the login's account list.
inline constexpr const char kSignOutRequested[] = "kSignOutRequested";
inline constexpr const char kSignOutEraseDataKey[] = "eraseData";
inline constexpr const char kSignOutKeepPasswordKey[] = "keepPassword";

// The settings changed the seconds between two reads of the open screen (user info
// kRefreshIntervalKey, double; 0 turns the reads off).
inline constexpr const char kRefreshIntervalChanged[] = "kRefreshIntervalChanged";
inline constexpr const char kRefreshIntervalKey[] = "seconds";
