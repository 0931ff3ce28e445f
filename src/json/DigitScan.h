#pragma once
// Reading decimal digits several at a time, for the parser's number paths.
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace json::digits {

constexpr bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Eight bytes of text as one word, first byte lowest, whatever the machine's byte order.
inline std::uint64_t loadEight(const char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
  return v;
}

// How many of the eight bytes, from the first, are decimal digits.
inline unsigned leadingDigits(std::uint64_t v) {
  // A digit byte XOR '0' is 0..9: high nibble clear, and adding 6 keeps it clear. Carries only
  // run towards later bytes, so the first flagged byte is exact.
  const std::uint64_t x = v ^ 0x3030303030303030ULL;
  const std::uint64_t flags = (x | (x + 0x0606060606060606ULL)) & 0xF0F0F0F0F0F0F0F0ULL;
  return flags == 0 ? 8 : static_cast<unsigned>(__builtin_ctzll(flags)) / 8;
}

// Value of eight ASCII digits: neighbours combine into 2-, 4-, then 8-digit values.
inline std::uint64_t eightDigitsValue(std::uint64_t v) {
  v -= 0x3030303030303030ULL;
  v = (v * 10) + (v >> 8);
  return (((v & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
          (((v >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >> 32;
}

// Value of the first `count` (1 to 8) digits of v: they are moved to the end and '0's put in front.
inline std::uint64_t digitsValue(std::uint64_t v, unsigned count) {
  if (count == 8) return eightDigitsValue(v);
  const unsigned shift = 8 * (8 - count);
  return eightDigitsValue((v << shift) | (0x3030303030303030ULL >> (64 - shift)));
}

constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// Power of ten of the leading significant digit of a number's text (digits, fraction and
// exponent, no sign): 2 for "123.4", -3 for "0.001", 301 for "1e301". Used only to tell an
// overflow from an underflow, so the exponent saturates.
inline long long decimalMagnitude(std::string_view text) {
  long long integerDigits = 0;
  long long leadingFractionZeros = 0;
  bool significant = false;
  std::size_t i = 0;
  for (; i < text.size() && isDigit(static_cast<unsigned char>(text[i])); ++i) {
    if (text[i] != '0') significant = true;
    if (significant) ++integerDigits;
  }
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && isDigit(static_cast<unsigned char>(text[i])); ++i) {
      if (!significant && text[i] != '0') significant = true;
      if (!significant) ++leadingFractionZeros;
    }
  }
  if (!significant) return std::numeric_limits<long long>::min();
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    for (; i < text.size(); ++i) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  const long long leading = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);
  return leading + exponent;
}

}  // namespace json::digits
