#pragma once
// The string escaping shared by the writer and the document serializer.
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace json::detail {

// Most room escaping can take: every byte may become "\u00XX".
inline constexpr std::size_t kEscapeGrowth = 6;

inline char* escapeOne(char* out, unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  *out++ = '\\';
  switch (c) {
    case '"': *out++ = '"'; break;
    case '\\': *out++ = '\\'; break;
    case '\b': *out++ = 'b'; break;
    case '\f': *out++ = 'f'; break;
    case '\n': *out++ = 'n'; break;
    case '\r': *out++ = 'r'; break;
    case '\t': *out++ = 't'; break;
    default:
      std::memcpy(out, "u00", 3);
      out[3] = kHex[c >> 4];
      out[4] = kHex[c & 0xF];
      out += 5;
      break;
  }
  return out;
}

// Writes the bytes [p, end) with '"', '\\' and control characters escaped; everything else,
// UTF-8 included, is copied. `out` must have room for kEscapeGrowth * (end - p) + 16 bytes.
// With `kPaddedSource`, the 15 bytes after `end` must be readable (a parsed document's string
// buffer is padded so): short strings are then checked in one 16-byte step.
template <bool kPaddedSource = false>
inline char* escapeInto(char* out, const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i controlMax = _mm_set1_epi8(0x1F);
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
    const __m128i control = _mm_cmpeq_epi8(_mm_max_epu8(v, controlMax), controlMax);  // v <= 0x1F
    const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash)), control);
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(special));
    if (mask == 0) {
      p += 16;
      out += 16;
      continue;
    }
    const unsigned index = static_cast<unsigned>(__builtin_ctz(mask));
    p += index;
    out = escapeOne(out + index, static_cast<unsigned char>(*p++));
  }
  if constexpr (kPaddedSource) {
    if (p < end) {
      const auto left = static_cast<unsigned>(end - p);
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i control = _mm_cmpeq_epi8(_mm_max_epu8(v, controlMax), controlMax);
      const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash)), control);
      if ((static_cast<unsigned>(_mm_movemask_epi8(special)) & ((1u << left) - 1)) == 0) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
        return out + left;
      }
    }
  }
#endif
  while (p < end) {
    const auto c = static_cast<unsigned char>(*p++);
    if (c == '"' || c == '\\' || c < 0x20) {
      out = escapeOne(out, c);
    } else {
      *out++ = static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace json::detail
