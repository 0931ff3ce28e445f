#include "json/Numbers.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "json/IntegerText.h"

namespace json {

namespace {

__extension__ typedef unsigned __int128 u128;  // a GNU extension, hence the marker for -Wpedantic

constexpr std::uint64_t kTen16 = 10'000'000'000'000'000ULL;
constexpr std::uint64_t kTen17 = 100'000'000'000'000'000ULL;

constexpr u128 powerOf(unsigned base, int exponent) {
  u128 value = 1;
  for (int i = 0; i < exponent; ++i) value *= base;
  return value;
}

struct Powers {
  u128 five[28];
  u128 ten[39];
};

constexpr Powers kPowers = [] {
  Powers p{};
  for (int i = 0; i < 28; ++i) p.five[i] = powerOf(5, i);
  for (int i = 0; i < 39; ++i) p.ten[i] = powerOf(10, i);
  return p;
}();

// round(m * 2^e * 10^k), ties to even, exactly; false when the operands leave 128 bits.
bool scaledRound(std::uint64_t m, int e, int k, std::uint64_t& out) {
  if (k >= 0) {
    if (k > 27) return false;
    const u128 num = static_cast<u128>(m) * kPowers.five[k];  // m * 5^k < 2^116
    const int shift = -(e + k);                                  // m * 5^k * 2^(e+k)
    if (shift <= 0) {
      if (shift < -8) return false;
      const u128 shifted = num << -shift;
      if (shifted >> 64) return false;
      out = static_cast<std::uint64_t>(shifted);
      return true;
    }
    if (shift >= 127) return false;
    u128 q = num >> shift;
    const u128 rem = num - (q << shift);
    const u128 half = static_cast<u128>(1) << (shift - 1);
    if (rem > half || (rem == half && (q & 1))) ++q;
    if (q >> 64) return false;
    out = static_cast<std::uint64_t>(q);
    return true;
  }
  if (-k > 38 || e < 0 || e > 74) return false;
  const u128 num = static_cast<u128>(m) << e;
  const u128 divisor = kPowers.ten[-k];
  u128 q = num / divisor;
  const u128 rem = num - q * divisor;
  if (rem * 2 > divisor || (rem * 2 == divisor && (q & 1))) ++q;
  if (q >> 64) return false;
  out = static_cast<std::uint64_t>(q);
  return true;
}

// The 17 significant digits of a normal, finite, non-zero |value| and its decimal exponent.
bool digits17(double value, std::uint64_t& digits, int& exponent10) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0 || biased == 0x7FF) return false;  // subnormal, zero, infinite, NaN
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int e = biased - 1075;  // |value| = m * 2^e, with 2^52 <= m < 2^53
  // Estimate floor(log10(|value|)) from log2(m * 2^e) ~ 52 + e + (m - 2^52) / 2^52, in fixed
  // point with 16 fractional bits. The linear part never overshoots log2, so the estimate is
  // the decimal exponent or one below it; the loop corrects that.
  const std::int64_t log2Fixed = (static_cast<std::int64_t>(52 + e) << 16) + static_cast<std::int64_t>((m - (std::uint64_t{1} << 52)) >> 36);
  int x = static_cast<int>((log2Fixed * 19728) >> 32);
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::uint64_t n;
    if (!scaledRound(m, e, 16 - x, n)) return false;
    if (n < kTen16) {
      --x;
    } else if (n > kTen17) {
      ++x;
    } else {
      if (n == kTen17) {  // rounding carried into an 18th digit
        n = kTen16;
        ++x;
      }
      digits = n;
      exponent10 = x;
      return true;
    }
  }
  return false;
}

using text::kDigitPairs;

// Eight decimal digits of v (below 10^8) as eight characters in one word, the first digit in
// the lowest byte: the halves, quarters and single digits are split in parallel lanes of the
// word, with multiplications standing in for the divisions by 100 and by 10.
inline std::uint64_t eightDigits(std::uint32_t v) {
  const std::uint64_t halves = (v / 10000) | (static_cast<std::uint64_t>(v % 10000) << 32);  // 32-bit lanes
  const std::uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007FULL;         // lane / 100
  const std::uint64_t pairs = hundreds | ((halves - 100 * hundreds) << 16);                // 16-bit lanes
  const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000FULL;                // lane / 10
  return (tens | ((pairs - 10 * tens) << 8)) + 0x3030303030303030ULL;
}

// Stores 16 characters held first-byte-lowest in a 128-bit value.
inline void storeText(char* out, u128 text) {
  auto low = static_cast<std::uint64_t>(text);
  auto high = static_cast<std::uint64_t>(text >> 64);
  if constexpr (std::endian::native == std::endian::big) {
    low = __builtin_bswap64(low);
    high = __builtin_bswap64(high);
  }
  std::memcpy(out, &low, 8);
  std::memcpy(out + 8, &high, 8);
}

// "%.17g" layout of 17 digits with decimal exponent x: trailing zeros dropped, fixed notation
// for -4 <= x < 17, scientific otherwise with at least two exponent digits. The digits stay in
// registers and go out in overlapping fixed-size stores (the caller's kMaxDoubleText bytes
// leave room for the overshoot): reading back digits just stored byte by byte would stall.
std::size_t layOut(bool negative, std::uint64_t digits, int x, char* out) {
  const auto lead = static_cast<char>('0' + digits / kTen16);
  const std::uint64_t rest = digits % kTen16;
  // The 16 digits after the first, first one in the lowest byte.
  const u128 tail = static_cast<u128>(eightDigits(static_cast<std::uint32_t>(rest / 100'000'000))) |
                    static_cast<u128>(eightDigits(static_cast<std::uint32_t>(rest % 100'000'000))) << 64;
  // Significant digits: 17 less the zeros at the end (the lead digit is never 0).
  const u128 zeros = tail ^ ((static_cast<u128>(0x3030303030303030ULL) << 64) | 0x3030303030303030ULL);
  const auto zerosHigh = static_cast<std::uint64_t>(zeros >> 64);
  const auto zerosLow = static_cast<std::uint64_t>(zeros);
  const int leadingZeroBits = zerosHigh != 0 ? __builtin_clzll(zerosHigh) : zerosLow != 0 ? 64 + __builtin_clzll(zerosLow) : 128;
  const auto length = static_cast<std::size_t>(17 - leadingZeroBits / 8);
  char* o = out;
  if (negative) *o++ = '-';
  if (x < -4 || x >= 17) {
    o[0] = lead;
    o[1] = '.';
    storeText(o + 2, tail);
    o += length > 1 ? length + 1 : 1;
    *o++ = 'e';
    *o++ = x < 0 ? '-' : '+';
    const int a = x < 0 ? -x : x;
    if (a >= 100) {
      *o++ = static_cast<char>('0' + a / 100);
    }
    std::memcpy(o, kDigitPairs.text + 2 * (a % 100), 2);
    o += 2;
  } else if (x >= 0) {
    const auto integerDigits = static_cast<std::size_t>(x) + 1;
    o[0] = lead;
    storeText(o + 1, tail);  // the zeros past `length` are the integer part's own zeros
    if (length <= integerDigits) {
      o += integerDigits;
    } else {
      // The fraction moves up one place for the point.
      storeText(o + integerDigits + 1, tail >> (8 * (integerDigits - 1)));
      o[integerDigits] = '.';
      o += length + 1;
    }
  } else {
    std::memcpy(o, "0.0000", 6);
    const auto zeroDigits = static_cast<std::size_t>(-x - 1);
    o[2 + zeroDigits] = lead;
    storeText(o + 3 + zeroDigits, tail);
    o += 2 + zeroDigits + length;
  }
  return static_cast<std::size_t>(o - out);
}

}  // namespace

std::string shortestDouble(double value) {
  char buffer[kMaxDoubleText];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::size_t formatDouble17(double value, char* out) {
  std::uint64_t digits;
  int exponent10;
  if (value != 0 && digits17(value, digits, exponent10)) return layOut(value < 0, digits, exponent10, out);
  // Zeros, subnormals and far exponents: the library's exact formatting.
  const auto result = std::to_chars(out, out + kMaxDoubleText, value, std::chars_format::general, 17);
  return static_cast<std::size_t>(result.ptr - out);
}

}  // namespace json
