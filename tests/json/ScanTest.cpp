// The block kernels behind the parser's and the writer's inner loops, against plain per-byte
// definitions. This file is built twice: with SSE2 and with the portable 8-byte kernels.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "json/Escape.h"
#include "json/IntegerText.h"
#include "json/Scan.h"

namespace {

using json::scan::kBlock;

bool isStringStop(unsigned char c) { return c == '"' || c == '\\' || c < 0x20 || c >= 0x80; }
bool isEscaped(unsigned char c) { return c == '"' || c == '\\' || c < 0x20; }
bool isNonWhitespace(unsigned char c) { return c != ' ' && c != '\n' && c != '\r' && c != '\t'; }
bool isNonAscii(unsigned char c) { return c >= 0x80; }

struct Kernel {
  const char* name;
  json::scan::Mask (*scan)(const char*);
  bool (*flagged)(unsigned char);
};

const Kernel kKernels[] = {
    {"stringStops", json::scan::stringStops, isStringStop},
    {"escapeStops", json::scan::escapeStops, isEscaped},
    {"nonWhitespace", json::scan::nonWhitespace, isNonWhitespace},
    {"nonAscii", json::scan::nonAscii, isNonAscii},
};

// Where the kernel's mask and the per-byte definition disagree on a block (the index of the
// first flagged byte, or flaggedBefore for a prefix); empty when they agree.
std::string disagreement(const Kernel& kernel, const unsigned char* block) {
  const json::scan::Mask mask = kernel.scan(reinterpret_cast<const char*>(block));
  std::size_t first = kBlock;
  for (std::size_t i = 0; i < kBlock && first == kBlock; ++i) {
    if (kernel.flagged(block[i])) first = i;
  }
  std::string where;
  if ((mask == 0) != (first == kBlock) || (mask != 0 && json::scan::firstFlagged(mask) != first)) where = "first flagged byte";
  for (std::size_t n = 0; n <= kBlock && where.empty(); ++n) {
    if (json::scan::flaggedBefore(mask, n) != (first < n)) where = "prefix of " + std::to_string(n);
  }
  if (where.empty()) return where;
  std::string bytes;
  for (std::size_t i = 0; i < kBlock; ++i) bytes += " " + std::to_string(block[i]);
  return std::string(kernel.name) + ": " + where + " of block" + bytes;
}

// Bytes next to which a wrong kernel would misjudge its neighbour: the flagged values, one
// off from them (a carry or borrow leaking between bytes), and the ends of the range.
const unsigned char kNeighbours[] = {'"',  '\\', ' ',  '\n', '\r', '\t', 0x00, 0x01, 0x1F, 0x20, 0x21, 0x23, 0x5B,
                                     0x5D, 0x7F, 0x80, 0x9F, 0xA0, 0xC3, 0xDF, 0xFF, 'a',  '0'};

TEST(ScanTest, EveryByteValueAtEveryPosition) {
  // The 8-byte kernels work on the whole word at once, so each byte value is tried at each
  // position after each kind of neighbour, the rest of the block plain text.
  for (const Kernel& kernel : kKernels) {
    for (std::size_t position = 0; position < kBlock; ++position) {
      for (int value = 0; value < 256; ++value) {
        for (const unsigned char before : kNeighbours) {
          unsigned char block[kBlock];
          for (auto& b : block) b = 'a';
          block[position] = static_cast<unsigned char>(value);
          if (position > 0) block[position - 1] = before;
          const std::string wrong = disagreement(kernel, block);
          ASSERT_TRUE(wrong.empty()) << wrong;
        }
      }
    }
  }
}

TEST(ScanTest, RandomBlocksOfTheBytesThatMatter) {
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    unsigned char block[kBlock];
    for (auto& b : block) b = kNeighbours[random() % sizeof kNeighbours];
    for (const Kernel& kernel : kKernels) {
      const std::string wrong = disagreement(kernel, block);
      ASSERT_TRUE(wrong.empty()) << wrong;
    }
  }
}

std::string referenceEscape(const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else {
          out += ch;
        }
    }
  }
  return out;
}

template <bool kPadded>
std::string escaped(const std::string& text) {
  // The source sits in a buffer with 16 readable bytes after it, as in a parsed document.
  std::vector<char> source(text.begin(), text.end());
  source.resize(text.size() + 16, '"');
  std::string out(json::detail::escapedRoom(text.size()), '\0');
  char* end = json::detail::escapeInto<kPadded>(out.data(), source.data(), source.data() + text.size());
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

TEST(ScanTest, EscapingMatchesTheByteByByteRule) {
  // Every length around the block sizes, with one special byte at every position, and runs of
  // them; the padding after the text is itself special, so reading past the end shows.
  const char kSpecials[] = {'"', '\\', '\n', '\x01', '\x1F', '\x7F', '\xC3'};
  std::vector<std::string> texts;
  for (std::size_t length = 0; length <= 3 * 16 + 1; ++length) {
    texts.emplace_back(length, 'x');
    for (std::size_t at = 0; at < length; ++at) {
      for (const char special : kSpecials) {
        std::string text(length, 'x');
        text[at] = special;
        texts.push_back(text);
      }
    }
  }
  texts.emplace_back(40, '"');
  texts.emplace_back(std::string("\0\0\0", 3));
  for (const std::string& text : texts) {
    const std::string expected = referenceEscape(text);
    ASSERT_EQ(escaped<true>(text), expected) << "padded, length " << text.size();
    ASSERT_EQ(escaped<false>(text), expected) << "unpadded, length " << text.size();
  }
}

TEST(ScanTest, IntegerTextAtEveryDigitCountBoundary) {
  std::vector<std::uint64_t> values = {0, std::numeric_limits<std::uint64_t>::max()};
  for (std::uint64_t power = 1;; power *= 10) {
    values.insert(values.end(), {power - 1, power, power + 1});
    if (power > std::numeric_limits<std::uint64_t>::max() / 10) break;
  }
  for (const std::uint64_t value : values) {
    char expected[32];
    char written[json::text::kMaxIntegerText];
    const auto reference = std::to_chars(expected, expected + sizeof expected, value);
    ASSERT_EQ(std::string(written, json::text::writeUnsigned(written, value)), std::string(expected, reference.ptr));
    const auto negative = static_cast<std::int64_t>(0 - value);
    const auto signedReference = std::to_chars(expected, expected + sizeof expected, negative);
    ASSERT_EQ(std::string(written, json::text::writeSigned(written, negative)), std::string(expected, signedReference.ptr));
  }
}

}  // namespace
