#pragma once
// Notifications of the application shell. Like the service layer's, each constant is the text of
// its own name.

// The login popup is going away after a successful sign-in; the menu returns to its root.
inline constexpr const char kRenewSession[] = "kRenewSession";
