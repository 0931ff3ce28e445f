#pragma once
// The moment a window is first seen: start-up measurements end there.
#include <functional>

class QWidget;

namespace app {

// Calls `then` once, from the event loop, right after the first paint pass of `window` that ran
// while `shows()` held (the pass has been drawn and flushed by then). The watch goes with the window.
void whenFirstFrameDrawn(QWidget* window, std::function<bool()> shows, std::function<void()> then);

}  // namespace app
