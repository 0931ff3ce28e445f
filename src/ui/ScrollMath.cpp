#include "ui/ScrollMath.h"

#include <algorithm>
#include <cmath>

namespace ui::scrollmath {

double rubberBand(double overshoot, double dimension) {
  if (overshoot <= 0.0 || dimension <= 0.0) return 0.0;
  return (1.0 - 1.0 / (overshoot * 0.55 / dimension + 1.0)) * dimension;
}

double dragOffset(double raw, double minimum, double maximum, double dimension, bool bounces) {
  maximum = std::max(minimum, maximum);
  if (raw < minimum) return bounces ? minimum - rubberBand(minimum - raw, dimension) : minimum;
  if (raw > maximum) return bounces ? maximum + rubberBand(raw - maximum, dimension) : maximum;
  return raw;
}

int pageForOffset(double offset, double pageSize) {
  if (pageSize <= 0.0) return 0;
  return static_cast<int>(std::floor((offset - pageSize / 2.0) / pageSize)) + 1;
}

int settlePage(double offset, double velocity, int startPage, int pageCount, double pageSize) {
  if (pageCount <= 0 || pageSize <= 0.0) return 0;
  int page = pageForOffset(offset, pageSize);
  if (std::abs(velocity) >= kFlickSpeed) {
    const int direction = velocity > 0 ? 1 : -1;
    // A flick that has not yet crossed the middle still turns the page.
    if ((page - startPage) * direction <= 0) page = startPage + direction;
  }
  return std::clamp(page, 0, pageCount - 1);
}

double coastOffset(double offset, double velocity) {
  if (std::abs(velocity) < kCoastSpeed) return offset;
  return offset + velocity * 0.35;
}

double coastDuration(double velocity) { return std::clamp(0.3 + std::abs(velocity) / 2500.0, 0.3, 1.6); }

}  // namespace ui::scrollmath
