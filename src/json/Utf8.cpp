#include "json/Utf8.h"

#include <cstdint>

#include "json/Scan.h"

namespace json::utf8 {

bool isValid(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    // Skip ASCII a block at a time.
    while (static_cast<std::size_t>(end - p) >= scan::kBlock) {
      const scan::Mask high = scan::nonAscii(p);
      if (high != 0) {
        p += scan::firstFlagged(high);
        break;
      }
      p += scan::kBlock;
    }
    if (p == end) break;
    if (static_cast<unsigned char>(*p) < 0x80) {
      ++p;
      continue;
    }
    const std::size_t n = sequenceLength(p, end);
    if (n == 0) return false;
    p += n;
  }
  return true;
}

std::string snippet(std::string_view text, std::size_t maxCharacters) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  const char* p = text.data();
  const char* const end = p + text.size();
  for (std::size_t count = 0; p < end && count < maxCharacters; ++count) {
    const auto c = static_cast<unsigned char>(*p);
    if (c == '\n' || c == '\r') break;
    std::size_t n = c < 0x80 ? 1 : sequenceLength(p, end);
    if (c < 0x20 || c == 0x7F || n == 0) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
      n = 1;
    } else {
      out.append(p, n);
    }
    p += n;
  }
  return out;
}

std::pair<std::size_t, std::size_t> lineAndCharacter(std::string_view prefix) {
  std::size_t line = 1;
  std::size_t character = 1;
  for (const char ch : prefix) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      ++line;
      character = 1;
    } else if ((c & 0xC0) != 0x80) {
      ++character;  // continuation bytes belong to the character before them
    }
  }
  return {line, character};
}

}  // namespace json::utf8
