#pragma once
// Interface orientations of the phone. Portrait is 320 × 480 points; the landscape ones are
// 480 × 320.
#include <QFlags>
#include <QSize>

namespace ui {

enum class Orientation { Portrait = 1, PortraitUpsideDown = 2, LandscapeLeft = 4, LandscapeRight = 8 };

inline bool isLandscape(Orientation o) { return o == Orientation::LandscapeLeft || o == Orientation::LandscapeRight; }

// The phone's screen in points for an orientation.
inline QSize screenSize(Orientation o) { return isLandscape(o) ? QSize(480, 320) : QSize(320, 480); }

// The next orientation when the device turns a quarter counter-clockwise (or clockwise).
Orientation rotatedCounterClockwise(Orientation o);
Orientation rotatedClockwise(Orientation o);

}  // namespace ui
