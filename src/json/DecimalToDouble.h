#pragma once
// Exact conversion of mantissa * 10^exponent to the nearest double, for the common cases only;
// the caller falls back to std::from_chars when this declines.
#include <cfloat>
#include <cstdint>
#include <cstring>

namespace json::number {

// True and the correctly rounded double in `out` when it can be had cheaply:
// - mantissa <= 2^53 and |exponent| <= 22: both operands are exact doubles, so one IEEE
//   multiplication or division rounds once, correctly.
// - otherwise, with the x87 80-bit format: mantissa (< 2^64) and 10^|exponent| (|exponent| <=
//   27, 5^27 < 2^64) are exact, so the product or quotient is rounded once to 64 bits. Rounding
//   that to 53 bits again is only wrong when the 64-bit result lies exactly halfway between two
//   doubles; that case is declined.
inline bool exactDouble(std::uint64_t mantissa, long long exponent, double& out) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (mantissa <= (std::uint64_t{1} << 53) && exponent >= -22 && exponent <= 22) {
    const auto m = static_cast<double>(mantissa);
    out = exponent >= 0 ? m * kPowers[exponent] : m / kPowers[-exponent];
    return true;
  }
#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
  static constexpr long double kLongPowers[] = {
      1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
      1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
  if (exponent >= -27 && exponent <= 27) {
    const auto m = static_cast<long double>(mantissa);
    const long double r = exponent >= 0 ? m * kLongPowers[exponent] : m / kLongPowers[-exponent];
    std::uint64_t significand;  // the 64-bit significand, explicit leading bit included
    std::memcpy(&significand, &r, sizeof significand);
    if ((significand & 0x7FF) == 0x400) return false;  // exactly halfway: let the slow path decide
    out = static_cast<double>(r);
    return true;
  }
#endif
  return false;
}

}  // namespace json::number
