#include "json/Numbers.h"

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

[[gnu::always_inline]] inline void writeFourDigits(char* out, std::uint32_t value) {
  std::memcpy(out, kDigitPairs.text + 2 * (value / 100), 2);
  std::memcpy(out + 2, kDigitPairs.text + 2 * (value % 100), 2);
}

[[gnu::always_inline]] inline void writeEightDigits(char* out, std::uint32_t value) {
  writeFourDigits(out, value / 10000);
  writeFourDigits(out + 4, value % 10000);
}

// Exactly 17 digits of a value in [10^16, 10^17): fixed length, so no loop and no division by
// a variable.
void writeSeventeenDigits(char* out, std::uint64_t value) {
  out[0] = static_cast<char>('0' + value / 10'000'000'000'000'000ULL);
  const std::uint64_t rest = value % 10'000'000'000'000'000ULL;
  writeEightDigits(out + 1, static_cast<std::uint32_t>(rest / 100'000'000));
  writeEightDigits(out + 9, static_cast<std::uint32_t>(rest % 100'000'000));
}

// "%.17g" layout of 17 digits with decimal exponent x: trailing zeros dropped, fixed notation
// for -4 <= x < 17, scientific otherwise with at least two exponent digits. Copies are of fixed
// size (the caller's kMaxDoubleText bytes leave room for the overshoot); lengths are exact.
std::size_t layOut(bool negative, std::uint64_t digits, int x, char* out) {
  char d[40];  // 17 digits, then zeros so that fixed-size copies read defined bytes
  writeSeventeenDigits(d, digits);
  std::memset(d + 17, '0', sizeof d - 17);
  std::size_t length = 17;
  while (length > 1 && d[length - 1] == '0') --length;
  char* o = out;
  if (negative) *o++ = '-';
  if (x < -4 || x >= 17) {
    o[0] = d[0];
    o[1] = '.';
    std::memcpy(o + 2, d + 1, 16);
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
    std::memcpy(o, d, 17);  // the zeros past `length` are the integer part's own zeros
    if (length <= integerDigits) {
      o += integerDigits;
    } else {
      o[integerDigits] = '.';
      std::memcpy(o + integerDigits + 1, d + integerDigits, 16);
      o += length + 1;
    }
  } else {
    std::memcpy(o, "0.0000", 6);
    const auto zeros = static_cast<std::size_t>(-x - 1);
    std::memcpy(o + 2 + zeros, d, 17);
    o += 2 + zeros + length;
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
