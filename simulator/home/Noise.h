#pragma once
// Deterministic randomness: the same seed gives the same home, history and weather, so tests
// and demo runs are repeatable.
#include <QtGlobal>

#include <cstdint>
#include <random>

namespace simhome {

// Mixes integers into one well-spread 64-bit value (splitmix64 finaliser).
std::uint64_t mix(std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0);

// A uniform value in [0, 1) fixed by its inputs.
double unitNoise(std::uint64_t seed, std::uint64_t channel, std::int64_t index);

// Smooth noise in [-1, 1]: values fixed at whole multiples of `stepMs`, cosine-blended between
// them, so a figure drifts instead of jumping from one reading to the next.
double smoothNoise(std::uint64_t seed, std::uint64_t channel, qint64 tMs, qint64 stepMs);

// A seeded generator for one-off choices (history, names).
class Random {
 public:
  explicit Random(std::uint64_t seed) : m_engine(seed) {}
  // Uniform integer in [lo, hi].
  int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_engine); }
  double unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine); }
  bool chance(double p) { return unit() < p; }
  template <class List>
  const auto& pick(const List& list) {
    return list[static_cast<decltype(list.size())>(between(0, int(list.size()) - 1))];
  }

 private:
  std::mt19937_64 m_engine;
};

}  // namespace simhome
