#pragma once
// UTF-8 checks shared by the parser and the serializer.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace json::utf8 {

// Length (2 to 4) of the well-formed multi-byte sequence starting at p (whose first byte is
// >= 0x80), or 0 when it is not one: stray continuation bytes, overlong forms, surrogates,
// code points past U+10FFFF, or a sequence cut by `end`.
inline std::size_t sequenceLength(const char* p, const char* end) {
  const auto b0 = static_cast<unsigned char>(p[0]);
  const auto available = static_cast<std::size_t>(end - p);
  auto cont = [p](std::size_t i) { return (static_cast<unsigned char>(p[i]) & 0xC0) == 0x80; };
  if (b0 >= 0xC2 && b0 <= 0xDF) return available >= 2 && cont(1) ? 2 : 0;
  if (b0 >= 0xE0 && b0 <= 0xEF) {
    if (available < 3) return 0;
    const auto b1 = static_cast<unsigned char>(p[1]);
    const unsigned char low = b0 == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
    const unsigned char high = b0 == 0xED ? 0x9F : 0xBF;  // no surrogates
    return b1 >= low && b1 <= high && cont(2) ? 3 : 0;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4) {
    if (available < 4) return 0;
    const auto b1 = static_cast<unsigned char>(p[1]);
    const unsigned char low = b0 == 0xF0 ? 0x90 : 0x80;   // no overlong forms
    const unsigned char high = b0 == 0xF4 ? 0x8F : 0xBF;  // nothing past U+10FFFF
    return b1 >= low && b1 <= high && cont(2) && cont(3) ? 4 : 0;
  }
  return 0;
}

// Whether the whole text is well-formed UTF-8.
bool isValid(std::string_view text);

// Up to `maxCharacters` characters of `text` for an error message: stops at a line break,
// shows control characters and broken UTF-8 bytes as \xNN, so the message stays readable
// and is itself valid UTF-8.
std::string snippet(std::string_view text, std::size_t maxCharacters = 10);

// 1-based line and character (in code points) of the position just after `prefix`.
std::pair<std::size_t, std::size_t> lineAndCharacter(std::string_view prefix);

}  // namespace json::utf8
