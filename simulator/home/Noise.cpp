#include "home/Noise.h"

#include <cmath>
#include <numbers>

namespace simhome {

namespace {
std::uint64_t splitmix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}
}  // namespace

std::uint64_t mix(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
  return splitmix(splitmix(splitmix(a) ^ b) ^ c);
}

double unitNoise(std::uint64_t seed, std::uint64_t channel, std::int64_t index) {
  return double(mix(seed, channel, static_cast<std::uint64_t>(index)) >> 11) * 0x1.0p-53;
}

double smoothNoise(std::uint64_t seed, std::uint64_t channel, qint64 tMs, qint64 stepMs) {
  const qint64 cell = tMs >= 0 ? tMs / stepMs : (tMs - stepMs + 1) / stepMs;
  const double f = double(tMs - cell * stepMs) / double(stepMs);
  const double a = unitNoise(seed, channel, cell) * 2.0 - 1.0;
  const double b = unitNoise(seed, channel, cell + 1) * 2.0 - 1.0;
  const double w = (1.0 - std::cos(f * std::numbers::pi)) / 2.0;
  return a + (b - a) * w;
}

}  // namespace simhome
