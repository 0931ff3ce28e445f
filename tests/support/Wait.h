#pragma once
// Runs the Qt event loop until a condition holds, bounded so a broken test fails instead of
// hanging.
#include <functional>

namespace tbtest {

// Processes events until `condition` is true or `timeoutMs` has passed; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Processes events for `ms` milliseconds (for "nothing more happens" checks).
void processEventsFor(int ms);

}  // namespace tbtest
