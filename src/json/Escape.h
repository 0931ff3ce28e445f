#pragma once
// The string escaping shared by the writer and the document serializer.
#include <cstddef>
#include <cstring>

#include "json/Scan.h"

namespace json::detail {

// Most room escaping can take: every byte may become "\u00XX".
inline constexpr std::size_t kEscapeGrowth = 6;

// Room escapeInto needs for `length` bytes of text.
inline constexpr std::size_t escapedRoom(std::size_t length) { return kEscapeGrowth * length + 16; }

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

// The bytes [p, end) one at a time: the tail of an unpadded string, and blocks with escapes.
inline char* escapeBytes(char* out, const char* p, const char* end) {
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

// Writes the bytes [p, end) with '"', '\\' and control characters escaped; everything else,
// UTF-8 included, is copied. `out` must have room for escapedRoom(end - p) bytes.
// With `kPaddedSource`, the 15 bytes after `end` must be readable (a parsed document's string
// buffer is padded so): the last partial block is then checked in one step like the others.
template <bool kPaddedSource = false>
[[gnu::always_inline]] inline char* escapeInto(char* out, const char* p, const char* end) {
  while (static_cast<std::size_t>(end - p) >= scan::kBlock) {
    const scan::Mask mask = scan::escapeStops(p);
    scan::copyBlock(out, p);
    if (mask == 0) {
      p += scan::kBlock;
      out += scan::kBlock;
      continue;
    }
    // Escapes are rare: the block goes through the byte loop.
    out = escapeBytes(out, p, p + scan::kBlock);
    p += scan::kBlock;
  }
  if constexpr (kPaddedSource) {
    if (p < end) {
      const auto left = static_cast<std::size_t>(end - p);
      if (!scan::flaggedBefore(scan::escapeStops(p), left)) {
        scan::copyBlock(out, p);
        return out + left;
      }
    }
  }
  return escapeBytes(out, p, end);
}

}  // namespace json::detail
