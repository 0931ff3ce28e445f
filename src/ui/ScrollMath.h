#pragma once
// The arithmetic of scrolling, apart from any widget so that it can be checked on its own:
// rubber-banding past the edges, the page under an offset, where a released drag settles.
namespace ui::scrollmath {

// Finger movement beyond the edge becomes a shorter, ever slower stretch of the content:
// (1 - 1 / (overshoot * 0.55 / dimension + 1)) * dimension. Always below `overshoot` and below
// `dimension`; 0 for no overshoot.
double rubberBand(double overshoot, double dimension);

// Where the content goes when the finger asks for `raw` on an axis whose offsets run from
// `minimum` to `maximum`: inside, raw itself; outside, the edge plus the rubber band of the
// overshoot when bouncing, else the edge.
double dragOffset(double raw, double minimum, double maximum, double dimension, bool bounces);

// The page whose middle is nearest: floor((offset - pageSize / 2) / pageSize) + 1.
int pageForOffset(double offset, double pageSize);

// The page a released paging drag settles on: the nearest page; but a flick (at least
// kFlickSpeed points per second) that has not reached the next page yet turns one page from
// `startPage` in its direction. Never outside 0 .. pageCount - 1. `velocity` is the content's
// speed in points per second (positive: offsets grow).
constexpr double kFlickSpeed = 300.0;
int settlePage(double offset, double velocity, int startPage, int pageCount, double pageSize);

// Where a released free drag coasts to, before clamping to the content, and how long it takes.
double coastOffset(double offset, double velocity);
double coastDuration(double velocity);
// Below this speed a released drag stops where it is.
constexpr double kCoastSpeed = 120.0;

}  // namespace ui::scrollmath
