#pragma once
// Decimal text of integers, two digits per step from a table (no division per digit).
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace json::text {

inline constexpr struct DigitPairs {
  char text[200];
  constexpr DigitPairs() : text() {
    for (int i = 0; i < 100; ++i) {
      text[2 * i] = static_cast<char>('0' + i / 10);
      text[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
} kDigitPairs;

// Longest text of a 64-bit integer: a sign and 20 digits.
inline constexpr std::size_t kMaxIntegerText = 21;

// Number of decimal digits of v (1 for 0).
inline unsigned decimalLength(std::uint64_t v) {
  static constexpr std::uint64_t kPowers[20] = {1ULL,
                                                10ULL,
                                                100ULL,
                                                1000ULL,
                                                10000ULL,
                                                100000ULL,
                                                1000000ULL,
                                                10000000ULL,
                                                100000000ULL,
                                                1000000000ULL,
                                                10000000000ULL,
                                                100000000000ULL,
                                                1000000000000ULL,
                                                10000000000000ULL,
                                                100000000000000ULL,
                                                1000000000000000ULL,
                                                10000000000000000ULL,
                                                100000000000000000ULL,
                                                1000000000000000000ULL,
                                                10000000000000000000ULL};
  // bit_width * log10(2) (1233 / 4096) is the number of digits or one less. (0 counts as 1.)
  const std::uint64_t w = v | 1;
  const unsigned guess = static_cast<unsigned>(std::bit_width(w) * 1233) >> 12;
  return guess + (w >= kPowers[guess] ? 1 : 0);
}

// Writes v at out (room for kMaxIntegerText bytes) and returns the end of the text.
inline char* writeUnsigned(char* out, std::uint64_t v) {
  const unsigned length = decimalLength(v);
  char* p = out + length;
  while (v >= 100) {
    p -= 2;
    std::memcpy(p, kDigitPairs.text + 2 * (v % 100), 2);
    v /= 100;
  }
  if (v >= 10) {
    std::memcpy(p - 2, kDigitPairs.text + 2 * v, 2);
  } else {
    p[-1] = static_cast<char>('0' + v);
  }
  return out + length;
}

inline char* writeSigned(char* out, std::int64_t v) {
  if (v < 0) {
    *out++ = '-';
    return writeUnsigned(out, 0 - static_cast<std::uint64_t>(v));
  }
  return writeUnsigned(out, static_cast<std::uint64_t>(v));
}

}  // namespace json::text
