#pragma once
// Turns the application's state changes into the two notifications the request queues follow:
// RestApplicationDidEnterBackgroundNotification when it is hidden or suspended, and
// RestApplicationWillEnterForegroundNotification when it becomes visible again. Tests (and
// platforms without a GUI application) post the notifications themselves.
namespace rest {

// Connects to QGuiApplication::applicationStateChanged once, when a QGuiApplication exists.
void watchApplicationState();

}  // namespace rest
