#include "backend/StillImageDecoder.h"

#include <array>
#include <cstdint>

namespace backend::camera {

namespace {

constexpr std::int8_t kSkip = -2;
constexpr std::int8_t kInvalid = -1;

constexpr std::array<std::int8_t, 256> makeTable() {
  std::array<std::int8_t, 256> table{};
  for (auto& v : table) v = kInvalid;
  constexpr const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(alphabet[i])] = static_cast<std::int8_t>(i);
  for (const char c : {' ', '\t', '\n', '\r', '\f', '\v', '='}) table[static_cast<unsigned char>(c)] = kSkip;
  return table;
}

constexpr auto kTable = makeTable();

}  // namespace

std::optional<QByteArray> decodeStillImageBase64(std::string_view text) {
  QByteArray out;
  out.reserve(static_cast<qsizetype>(text.size() / 4 * 3 + 3));
  std::uint32_t group = 0;
  int symbols = 0;
  for (const char c : text) {
    const std::int8_t v = kTable[static_cast<unsigned char>(c)];
    if (v == kSkip) continue;
    if (v == kInvalid) return std::nullopt;
    group = (group << 6) | static_cast<std::uint32_t>(v);
    if (++symbols == 4) {
      out.append(static_cast<char>((group >> 16) & 0xff));
      out.append(static_cast<char>((group >> 8) & 0xff));
      out.append(static_cast<char>(group & 0xff));
      group = 0;
      symbols = 0;
    }
  }
  switch (symbols) {
    case 1:
      return std::nullopt;
    case 2:
      out.append(static_cast<char>((group >> 4) & 0xff));
      break;
    case 3:
      out.append(static_cast<char>((group >> 10) & 0xff));
      out.append(static_cast<char>((group >> 2) & 0xff));
      break;
    default:
      break;
  }
  return out;
}

}  // namespace backend::camera
