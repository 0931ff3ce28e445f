#pragma once
// The still pictures of the cameras: a small scene per camera (a front door, a garden, a
// street) at the time of day, with a car or a bird crossing it, the camera's name and the time
// written on it. Pan and tilt move the view over a scene wider than the picture. JPEG bytes.
#include "home/Home.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>

namespace simhome {

class StillImageRenderer {
 public:
  explicit StillImageRenderer(std::uint64_t seed) : m_seed(seed) {}

  static constexpr int kWidth = 320;
  static constexpr int kHeight = 240;

  QImage picture(const Device& camera, qint64 nowMs, const QString& timeZoneId) const;
  QByteArray render(const Device& camera, qint64 nowMs, const QString& timeZoneId) const;  // JPEG

 private:
  std::uint64_t m_seed;
};

}  // namespace simhome
