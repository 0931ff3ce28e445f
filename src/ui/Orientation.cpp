#include "ui/Orientation.h"

namespace ui {

// Turning the device counter-clockwise: portrait → landscape right (home button on the right)
// → upside down → landscape left → portrait.
Orientation rotatedCounterClockwise(Orientation o) {
  switch (o) {
    case Orientation::Portrait: return Orientation::LandscapeRight;
    case Orientation::LandscapeRight: return Orientation::PortraitUpsideDown;
    case Orientation::PortraitUpsideDown: return Orientation::LandscapeLeft;
    case Orientation::LandscapeLeft: return Orientation::Portrait;
  }
  return Orientation::Portrait;
}

Orientation rotatedClockwise(Orientation o) {
  switch (o) {
    case Orientation::Portrait: return Orientation::LandscapeLeft;
    case Orientation::LandscapeLeft: return Orientation::PortraitUpsideDown;
    case Orientation::PortraitUpsideDown: return Orientation::LandscapeRight;
    case Orientation::LandscapeRight: return Orientation::Portrait;
  }
  return Orientation::Portrait;
}

}  // namespace ui
