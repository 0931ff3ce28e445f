#pragma once
// Byte-class scans over a block of text, for the parser's and the writer's inner loops.
//
// A block is 16 bytes with SSE2 (always there on x86-64) and 8 bytes elsewhere, where plain
// 64-bit arithmetic does the same job ("SWAR"). Building with TB_JSON_PORTABLE defined uses the
// 8-byte kernels on every machine, so that they are compiled and tested on x86-64 too.
//
// Every scan returns a mask with one flag per byte of the block; firstFlagged() gives the index
// of the first flagged byte, flaggedBefore(mask, n) whether one of the first n bytes is
// (0 <= n <= kBlock).
// Flags are exact: no byte is flagged that should not be, whatever its neighbours.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) && !defined(TB_JSON_PORTABLE)
#define TB_JSON_SSE2 1
#include <emmintrin.h>
#else
#define TB_JSON_SSE2 0
#endif

namespace json::scan {

// The kernels sit in the innermost loops: always inlined, whatever the size of the caller.

#if TB_JSON_SSE2

inline constexpr std::size_t kBlock = 16;
using Mask = std::uint32_t;

[[gnu::always_inline]] inline unsigned firstFlagged(Mask mask) { return static_cast<unsigned>(__builtin_ctz(mask)); }
[[gnu::always_inline]] inline bool flaggedBefore(Mask mask, std::size_t n) { return (mask & ((Mask{1} << n) - 1)) != 0; }

[[gnu::always_inline]] inline void copyBlock(char* dst, const char* src) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_loadu_si128(reinterpret_cast<const __m128i*>(src)));
}

namespace sse2 {
[[gnu::always_inline]] inline __m128i load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
[[gnu::always_inline]] inline Mask flags(__m128i m) { return static_cast<Mask>(_mm_movemask_epi8(m)); }
[[gnu::always_inline]] inline __m128i quoteOrBackslash(__m128i v) {
  return _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\\')));
}
}  // namespace sse2

// '"', '\\', control characters and bytes >= 0x80: where a run of plain string text stops.
[[gnu::always_inline]] inline Mask stringStops(const char* p) {
  const __m128i v = sse2::load(p);
  // Signed compare: bytes >= 0x80 are negative, so "< 0x20" also flags them.
  return sse2::flags(_mm_or_si128(sse2::quoteOrBackslash(v), _mm_cmplt_epi8(v, _mm_set1_epi8(0x20))));
}

// '"', '\\' and control characters: the bytes the writer escapes.
[[gnu::always_inline]] inline Mask escapeStops(const char* p) {
  const __m128i v = sse2::load(p);
  const __m128i controlMax = _mm_set1_epi8(0x1F);
  const __m128i control = _mm_cmpeq_epi8(_mm_max_epu8(v, controlMax), controlMax);  // v <= 0x1F
  return sse2::flags(_mm_or_si128(sse2::quoteOrBackslash(v), control));
}

// Bytes >= 0x80.
[[gnu::always_inline]] inline Mask nonAscii(const char* p) { return sse2::flags(sse2::load(p)); }

// Anything but ' ', '\n', '\r' and '\t'.
[[gnu::always_inline]] inline Mask nonWhitespace(const char* p) {
  const __m128i v = sse2::load(p);
  const __m128i space = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))),
                                     _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\t'))));
  return ~sse2::flags(space) & 0xFFFF;
}

#else

inline constexpr std::size_t kBlock = 8;
// The high bit of each byte is its flag.
using Mask = std::uint64_t;

[[gnu::always_inline]] inline unsigned firstFlagged(Mask mask) { return static_cast<unsigned>(__builtin_ctzll(mask)) / 8; }
[[gnu::always_inline]] inline bool flaggedBefore(Mask mask, std::size_t n) {
  return (n >= kBlock ? mask : mask & ((Mask{1} << (8 * n)) - 1)) != 0;  // a shift by 64 would be undefined
}

[[gnu::always_inline]] inline void copyBlock(char* dst, const char* src) { std::memcpy(dst, src, 8); }

namespace swar {
inline constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
inline constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr std::uint64_t repeat(unsigned char c) { return 0x0101010101010101ULL * c; }

// The first byte of the text in the lowest bits, whatever the machine's byte order.
[[gnu::always_inline]] inline std::uint64_t load(const char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
  return v;
}
// Flags the zero bytes. No carry crosses a byte: (b & 0x7F) + 0x7F is at most 0xFE.
[[gnu::always_inline]] inline Mask zeroBytes(std::uint64_t v) { return ~(((v & kLow7) + kLow7) | v) & kHigh; }
[[gnu::always_inline]] inline Mask equalBytes(std::uint64_t v, unsigned char c) { return zeroBytes(v ^ repeat(c)); }
// Flags bytes below 0x20 (bytes >= 0x80 are not flagged).
[[gnu::always_inline]] inline Mask controlBytes(std::uint64_t v) { return ~(((v & kLow7) + repeat(0x80 - 0x20)) | v) & kHigh; }
}  // namespace swar

[[gnu::always_inline]] inline Mask stringStops(const char* p) {
  const std::uint64_t v = swar::load(p);
  return swar::equalBytes(v, '"') | swar::equalBytes(v, '\\') | swar::controlBytes(v) | (v & swar::kHigh);
}

[[gnu::always_inline]] inline Mask escapeStops(const char* p) {
  const std::uint64_t v = swar::load(p);
  return swar::equalBytes(v, '"') | swar::equalBytes(v, '\\') | swar::controlBytes(v);
}

[[gnu::always_inline]] inline Mask nonAscii(const char* p) { return swar::load(p) & swar::kHigh; }

[[gnu::always_inline]] inline Mask nonWhitespace(const char* p) {
  const std::uint64_t v = swar::load(p);
  const Mask space = swar::equalBytes(v, ' ') | swar::equalBytes(v, '\n') | swar::equalBytes(v, '\r') | swar::equalBytes(v, '\t');
  return ~space & swar::kHigh;
}

#endif

}  // namespace json::scan
