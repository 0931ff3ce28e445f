#include "json/Parser.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>

#include "json/DecimalToDouble.h"
#include "json/DigitScan.h"
#include "json/Errors.h"
#include "json/Scan.h"
#include "json/Utf8.h"

namespace json {

namespace {

using foundation::Error;

constexpr bool isWhitespace(unsigned char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
constexpr bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Skips white space; indented text has long runs of it, taken a block at a time.
const char* skipWhitespace(const char* p, const char* end) {
  while (static_cast<std::size_t>(end - p) >= scan::kBlock) {
    const scan::Mask other = scan::nonWhitespace(p);
    if (other != 0) return p + scan::firstFlagged(other);
    p += scan::kBlock;
  }
  while (p < end && isWhitespace(static_cast<unsigned char>(*p))) ++p;
  return p;
}

// Value of each byte as a hex digit, or -1.
constexpr struct HexTable {
  signed char value[256];
  constexpr HexTable() : value() {
    for (int i = 0; i < 256; ++i) value[i] = -1;
    for (int i = 0; i < 10; ++i) value['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
      value['a' + i] = static_cast<signed char>(10 + i);
      value['A' + i] = static_cast<signed char>(10 + i);
    }
  }
} kHex;

// Marks four bytes that are not all hex digits; above any code point an escape can spell.
constexpr std::uint32_t kNotHex = 0x110000;

// The 4 hex digits at p (the caller checked there are 4 bytes), or kNotHex.
inline std::uint32_t hex4(const char* p) {
  const int a = kHex.value[static_cast<unsigned char>(p[0])];
  const int b = kHex.value[static_cast<unsigned char>(p[1])];
  const int c = kHex.value[static_cast<unsigned char>(p[2])];
  const int d = kHex.value[static_cast<unsigned char>(p[3])];
  if ((a | b | c | d) < 0) return kNotHex;
  return static_cast<std::uint32_t>(a << 12 | b << 8 | c << 4 | d);
}

// The byte each one-letter escape stands for, indexed by the letter; 0 for letters that are
// not escapes ("\u" has its own path).
constexpr struct EscapeTable {
  char decoded[256];
  constexpr EscapeTable() : decoded() {
    decoded[static_cast<unsigned char>('"')] = '"';
    decoded[static_cast<unsigned char>('\\')] = '\\';
    decoded[static_cast<unsigned char>('/')] = '/';
    decoded[static_cast<unsigned char>('b')] = '\b';
    decoded[static_cast<unsigned char>('f')] = '\f';
    decoded[static_cast<unsigned char>('n')] = '\n';
    decoded[static_cast<unsigned char>('r')] = '\r';
    decoded[static_cast<unsigned char>('t')] = '\t';
  }
} kEscapes;

char* encodeUtf8(std::uint32_t cp, char* out) {
  if (cp < 0x80) {
    *out++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out++ = static_cast<char>(0xC0 | (cp >> 6));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (cp >> 12));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (cp >> 18));
    *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

// Identical short strings (keys above all) are stored once: a small direct-mapped table from a
// hash of the bytes to the tape word of a string already in the buffer.
class StringCache {
 public:
  static constexpr std::size_t kSlots = 512;

  // `bytes` lies in the string buffer, which has readable slack after it.
  [[gnu::always_inline]] static std::uint64_t hash(const char* bytes, std::size_t length) {
    std::uint64_t head;
    std::uint64_t tail;
    std::memcpy(&head, bytes, 8);
    if (length < 8) {
      head &= (std::uint64_t{1} << (length * 8)) - 1;
      tail = 0;
    } else {
      std::memcpy(&tail, bytes + length - 8, 8);
    }
    std::uint64_t h = (head ^ (tail * 0x9E3779B97F4A7C15ULL) ^ length) * 0xFF51AFD7ED558CCDULL;
    return h >> 40;
  }

  // Small texts use (and clear) only the first slots: clearing them all would cost a tenth
  // of the parse of a 1 KB answer.
  void reset(std::size_t slots) {
    m_mask = slots - 1;
    std::memset(m_slots, 0, slots * sizeof(std::uint64_t));
  }
  std::uint64_t& slot(std::uint64_t h) { return m_slots[h & m_mask]; }

 private:
  std::uint64_t m_slots[kSlots];  // 0 (a null word) marks an empty slot
  std::size_t m_mask = 0;
};

// The four bytes of a literal as one machine word, in memory order.
constexpr std::uint32_t literalWord(const char (&text)[5]) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
  } else {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24;
  }
}

// Equal bytes, for strings in the string buffer, which stays readable 16 bytes past any string.
[[gnu::always_inline]] inline bool sameBytes(const char* a, const char* b, std::size_t length) {
  if (length <= 8) {
    std::uint64_t x;
    std::uint64_t y;
    std::memcpy(&x, a, 8);
    std::memcpy(&y, b, 8);
    const std::uint64_t mask = length == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (length * 8)) - 1;
    return ((x ^ y) & mask) == 0;
  }
  if (length <= 16) {
    std::uint64_t x[2];
    std::uint64_t y[2];
    std::memcpy(&x[0], a, 8);
    std::memcpy(&y[0], b, 8);
    std::memcpy(&x[1], a + length - 8, 8);
    std::memcpy(&y[1], b + length - 8, 8);
    return x[0] == y[0] && x[1] == y[1];
  }
  return std::memcmp(a, b, length) == 0;
}

}  // namespace

class Parser {
 public:
  explicit Parser(std::string_view text)
      : m_begin(text.data()), m_end(text.data() + text.size()) {}
  ~Parser() {
    std::free(m_words);
    std::free(m_strings);
  }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  foundation::Result<Document> run();

 private:
  struct Frame {
    std::size_t header;  // index of the container's header word
    std::uint64_t count;
    bool object;
  };

  enum class Expected { Value, ValueOrBracket, Key, KeyOrBrace, CommaOrBrace, CommaOrBracket, Digit, ExponentStart };

  bool allocate();
  bool growWords();
  [[gnu::always_inline]] inline bool parseString(const char*& p, const char* end, char*& strings, std::uint64_t& word,
                                                 StringCache* cache);
  bool parseNumber(const char*& p);
  bool parseLiteral(const char*& p);
  [[gnu::always_inline]] inline bool matchKey(const char*& p, const char* end, std::uint64_t word) const;
  bool parseDoubleSlow(const char* start, const char* stop, const char* firstDigit);
  bool finishLongString(char* start, std::size_t length, std::uint64_t& word);
  [[gnu::always_inline]] inline const char* stringStop(const char* p, const char* end, const char* dst) const;
  bool growStrings(char*& start, char*& dst, std::size_t inputLeft);
  Document finish(char* strings);

  bool fail(int code, const char* at, std::string what);
  bool failExpected(Expected expected, const char* at);
  foundation::Error buildError() const;

  void pushWord(std::uint64_t word) { m_words[m_wordCount++] = word; }
  void pushData(std::uint64_t tagWord, const void* data) {
    m_words[m_wordCount] = tagWord;
    std::memcpy(&m_words[m_wordCount + 1], data, 8);
    m_wordCount += 2;
  }

  const char* const m_begin;
  const char* const m_end;

  std::uint64_t* m_words = nullptr;
  std::size_t m_wordCount = 0;
  std::size_t m_wordCapacity = 0;
  char* m_strings = nullptr;
  std::size_t m_stringCapacity = 0;
  // Whether the string buffer has room for all the text still to parse (decoded text is never
  // longer than its source), so that strings need no check of their own.
  bool m_stringsRoomy = false;

  Frame m_frames[kMaxDepth];
  int m_depth = 0;

  // Keys repeat in arrays of records and are stored once. (Caching short values as well saved
  // a few percent of memory for about ten percent more parsing time: not worth it.)
  StringCache m_keys;
  // Records in an array repeat their keys in the same order: the key last seen at this depth
  // and member position is compared with the input before anything else is done.
  // Sized like the cache.
  static constexpr std::size_t kPredictedKeys = 256;
  std::uint64_t m_predictedKeys[kPredictedKeys];
  std::size_t m_predictedMask = 0;

  int m_errorCode = 0;
  const char* m_errorAt = nullptr;
  std::string m_errorText;
};

namespace {

// Bytes kept readable after the last string of a document.
constexpr std::size_t kStringPadding = 16;

// Room the string buffer keeps past the write cursor while a string is decoded: block stores,
// a multi-byte character, the cache's 16-byte reads, the length prefix of a very long string
// and the final padding all fit in it.
constexpr std::size_t kStringSlack = 48;

// Strings are stored with their length in the tape word when it fits 24 bits and the offset
// 36 bits; the whole document must fit that offset.
constexpr std::size_t kMaxInput = std::size_t{1} << 36;

// Large texts start with blocks sized after what the last large document parsed on this thread
// needed per input byte, plus a sixteenth. A service answer parsed again and again thus asks for
// the same block sizes each time and the allocator hands back the memory it just got back;
// starting from a worst-case guess and shrinking instead asks for more than was freed, gets
// fresh pages and pays a page fault for every 4 KB of document (a fifth of the parse time).
#if defined(TB_JSON_TEST_BLOCK_GROWTH)
// Test builds: every document learns and none gets spare room, so that small inputs run the
// paths that grow the blocks mid-document.
constexpr std::size_t kLargeInput = 0;
constexpr std::size_t kBlockSpare = 0;
#else
constexpr std::size_t kLargeInput = 64 * 1024;
constexpr std::size_t kBlockSpare = 4096;
#endif
struct BlockSizing {
  double tapeBytesPerInputByte = 2.0;
  double stringBytesPerInputByte = 1.0;  // decoded strings never outgrow their source text
};
thread_local BlockSizing t_sizing;

std::size_t blockSize(double bytesPerInputByte, std::size_t inputSize) {
  const double bytes = bytesPerInputByte * static_cast<double>(inputSize);
  return static_cast<std::size_t>(bytes + bytes / 16) + kBlockSpare;
}

}  // namespace

bool Parser::allocate() {
  const std::size_t size = static_cast<std::size_t>(m_end - m_begin);
  // About one key per 16 bytes of text at most; a power of two between 32 and the full size.
  const std::size_t tableSize = std::bit_ceil(std::clamp<std::size_t>(size / 16, 32, StringCache::kSlots));
  m_keys.reset(tableSize);
  m_predictedMask = std::min(tableSize, kPredictedKeys) - 1;
  std::memset(m_predictedKeys, 0, (m_predictedMask + 1) * sizeof(std::uint64_t));
  std::size_t tapeBytes;
  if (size >= kLargeInput) {
    tapeBytes = blockSize(t_sizing.tapeBytesPerInputByte, size);
    m_stringCapacity = blockSize(t_sizing.stringBytesPerInputByte, size) + kStringSlack;
  } else {
    // Typical documents need about one byte of tape per input byte; start at two and grow.
    tapeBytes = size * 2 + 128;
    m_stringCapacity = size + kStringSlack;
  }
  m_wordCapacity = std::max<std::size_t>(tapeBytes / sizeof(std::uint64_t), 4);
  m_words = static_cast<std::uint64_t*>(std::malloc(m_wordCapacity * sizeof(std::uint64_t)));
  m_strings = static_cast<char*>(std::malloc(m_stringCapacity));
  m_stringsRoomy = m_stringCapacity >= size + kStringSlack;
  return m_words && m_strings;
}

// Hands the blocks to a document; `strings` is the string buffer's write cursor.
Document Parser::finish(char* strings) {
  const std::size_t inputSize = static_cast<std::size_t>(m_end - m_begin);
  const std::size_t tapeBytes = m_wordCount * sizeof(std::uint64_t);
  // The padding lets the writer read any string 16 bytes at a time.
  std::memset(strings, 0, kStringPadding);
  const std::size_t stringBytes = static_cast<std::size_t>(strings - m_strings) + kStringPadding;
  std::size_t tapeHeld = m_wordCapacity * sizeof(std::uint64_t);
  std::size_t stringsHeld = m_stringCapacity;
  const bool large = inputSize >= kLargeInput;
  if (large) {
    t_sizing.tapeBytesPerInputByte = static_cast<double>(tapeBytes) / static_cast<double>(inputSize);
    t_sizing.stringBytesPerInputByte = static_cast<double>(stringBytes) / static_cast<double>(inputSize);
  }
  // Give back what was over-reserved (shrinking in place is cheap); a large document keeps a
  // small surplus, so that the next one of its kind asks for the same size.
  auto worthShrinking = [large](std::size_t held, std::size_t used) { return !large || held - used > held / 8; };
  if (worthShrinking(tapeHeld, tapeBytes)) {
    if (auto* words = static_cast<std::uint64_t*>(std::realloc(m_words, std::max<std::size_t>(tapeBytes, 8)))) {
      m_words = words;
      tapeHeld = tapeBytes;
    }
  }
  if (worthShrinking(stringsHeld, stringBytes)) {
    if (auto* shrunk = static_cast<char*>(std::realloc(m_strings, stringBytes))) {
      m_strings = shrunk;
      stringsHeld = stringBytes;
    }
  }
  return Document(std::exchange(m_words, nullptr), tapeHeld, std::exchange(m_strings, nullptr), stringsHeld);
}

bool Parser::growWords() {
  const std::size_t capacity = m_wordCapacity * 2 + 16;
  auto* words = static_cast<std::uint64_t*>(std::realloc(m_words, capacity * sizeof(std::uint64_t)));
  if (!words) return fail(kErrorDocumentTooLarge, m_begin, "Not enough memory for the document.");
  m_words = words;
  m_wordCapacity = capacity;
  return true;
}

bool Parser::fail(int code, const char* at, std::string what) {
  m_errorCode = code;
  m_errorAt = at;
  m_errorText = std::move(what);
  return false;
}

bool Parser::failExpected(Expected expected, const char* at) {
  if (at >= m_end) return fail(kErrorEndOfBuffer, m_end, message::kEndOfBuffer);
  std::string what;
  switch (expected) {
    case Expected::Value: what = "Expected a value, not '"; break;
    case Expected::ValueOrBracket: what = "Expected a value or ']', not '"; break;
    case Expected::Key: what = "Expected a string, not '"; break;
    case Expected::KeyOrBrace: what = "Expected a string or '}', not '"; break;
    case Expected::CommaOrBrace: what = "Expected ',' or '}', not '"; break;
    case Expected::CommaOrBracket: what = "Expected ',' or ']', not '"; break;
    case Expected::Digit: what = "Expected a digit, not '"; break;
    case Expected::ExponentStart: what = "Expected '+', '-', or a digit, not '"; break;
  }
  what += utf8::snippet(std::string_view(at, static_cast<std::size_t>(m_end - at)));
  what += '\'';
  return fail(kErrorUnexpectedCharacter, at, std::move(what));
}

foundation::Error Parser::buildError() const {
  const std::size_t offset = static_cast<std::size_t>(m_errorAt - m_begin);
  const auto [line, character] = utf8::lineAndCharacter(std::string_view(m_begin, offset));
  std::string text = std::string(message::kUnableToParse) + " " + m_errorText + " (line " +
                     std::to_string(line) + ", character " + std::to_string(character) + ")";
  return Error{kJsonErrorDomain, m_errorCode, std::move(text), static_cast<std::int64_t>(offset)};
}

bool Parser::finishLongString(char* start, std::size_t length, std::uint64_t& word) {
  // Rare: move the bytes up to make room for an 8-byte length in front of them.
  std::memmove(start + 8, start, length);
  const std::uint64_t length64 = length;
  std::memcpy(start, &length64, 8);
  word = tape::make(tape::kLongString, static_cast<std::size_t>(start - m_strings));
  return true;
}

// Grows the string buffer to hold all the text still to parse (`inputLeft` bytes).
bool Parser::growStrings(char*& start, char*& dst, std::size_t inputLeft) {
  const auto startOffset = static_cast<std::size_t>(start - m_strings);
  const auto used = static_cast<std::size_t>(dst - m_strings);
  const std::size_t capacity = std::max(m_stringCapacity * 2, used + inputLeft + kStringSlack + kBlockSpare);
  auto* strings = static_cast<char*>(std::realloc(m_strings, capacity));
  if (!strings) return fail(kErrorDocumentTooLarge, m_begin, "Not enough memory for the document.");
  m_strings = strings;
  m_stringCapacity = capacity;
  m_stringsRoomy = true;
  start = strings + startOffset;
  dst = strings + used;
  return true;
}

// The input position up to which the string at `p`, decoded to `dst`, surely fits the string
// buffer: decoding never makes text longer, and kStringSlack covers the block stores.
inline const char* Parser::stringStop(const char* p, const char* end, const char* dst) const {
  const auto room = static_cast<std::size_t>(m_strings + m_stringCapacity - dst);
  if (room <= kStringSlack) return p;
  return static_cast<std::size_t>(end - p) <= room - kStringSlack ? end : p + (room - kStringSlack);
}

// p points just past the opening quote; on success it points past the closing quote. The
// decoded bytes go to `strings`, the string buffer's write cursor, which moves past them
// unless the cache already holds the same string. The buffer may move while the string is
// decoded (tape words hold offsets into it, so nothing else needs to follow).
inline bool Parser::parseString(const char*& p, const char* end, char*& strings, std::uint64_t& word,
                                StringCache* cache) {
  char* start = strings;
  char* dst = start;
  const char* stop = m_stringsRoomy ? end : stringStop(p, end, dst);
  for (;;) {
    while (stop - p >= static_cast<std::ptrdiff_t>(scan::kBlock)) {  // p may be past stop after an escape
      const scan::Mask mask = scan::stringStops(p);
      scan::copyBlock(dst, p);
      if (mask != 0) {
        const unsigned index = scan::firstFlagged(mask);
        p += index;
        dst += index;
        goto special;
      }
      p += scan::kBlock;
      dst += scan::kBlock;
    }
    while (p < stop) {
      const auto c = static_cast<unsigned char>(*p);
      if (c == '"' || c == '\\' || c < 0x20 || c >= 0x80) goto special;
      *dst++ = static_cast<char>(c);
      ++p;
    }
    if (p >= end) return fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
    if (!growStrings(start, dst, static_cast<std::size_t>(end - p))) return false;
    stop = end;
    continue;

  special:
    const auto c = static_cast<unsigned char>(*p);
    if (c == '"') {
      ++p;
      break;
    }
    if (c == '\\') {
      if (end - p < 2) return fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
      const char escaped = p[1];
      if (escaped == 'u') {
        if (end - p < 6) return fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
        std::uint32_t cp = hex4(p + 2);
        if (cp < 0x80) {
          *dst++ = static_cast<char>(cp);
        } else if (cp < 0x800) {
          // The common case in accented text ("\u00e9"): two bytes.
          dst[0] = static_cast<char>(0xC0 | (cp >> 6));
          dst[1] = static_cast<char>(0x80 | (cp & 0x3F));
          dst += 2;
        } else {
          if (cp > 0xFFFF) return fail(kErrorIllegalEscape, p, "Illegal Unicode escape: expected four hexadecimal digits.");
          if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return fail(kErrorIllegalEscape, p, "Illegal Unicode escape: a low surrogate without a high surrogate before it.");
          }
          if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (end - p < 12) {
              if (end - p >= 7 && (p[6] != '\\' || (end - p >= 8 && p[7] != 'u'))) {
                return fail(kErrorIllegalEscape, p, "Illegal Unicode escape: a high surrogate without a low surrogate after it.");
              }
              return fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
            }
            const std::uint32_t low = p[6] == '\\' && p[7] == 'u' ? hex4(p + 8) : kNotHex;
            if (low < 0xDC00 || low > 0xDFFF) {
              return fail(kErrorIllegalEscape, p, "Illegal Unicode escape: a high surrogate without a low surrogate after it.");
            }
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            p += 6;
          }
          dst = encodeUtf8(cp, dst);
        }
        p += 6;
        continue;
      }
      const char decoded = kEscapes.decoded[static_cast<unsigned char>(escaped)];
      if (decoded == 0) {
        return fail(kErrorIllegalEscape, p, "Illegal escape sequence '" +
                                                utf8::snippet(std::string_view(p, static_cast<std::size_t>(end - p)), 2) + "'.");
      }
      *dst++ = decoded;
      p += 2;
      continue;
    }
    if (c >= 0x80) {
      // Non-Latin text is a run of multi-byte characters: stay here until the run ends.
      do {
        const std::size_t n = utf8::sequenceLength(p, end);
        if (n == 0) return fail(kErrorIllegalUtf8, p, "Illegal UTF-8 sequence in a string.");
        // Fixed-size copies (the destination has slack); a variable-size memcpy is a call.
        dst[0] = p[0];
        dst[1] = p[1];
        if (n > 2) dst[2] = p[2];
        if (n > 3) dst[3] = p[3];
        dst += n;
        p += n;
      } while (p < stop && static_cast<unsigned char>(*p) >= 0x80);
      continue;
    }
    return fail(kErrorControlCharacter, p, "Control characters must be escaped in a string.");
  }

  const auto length = static_cast<std::size_t>(dst - start);
  if (length >= tape::kShortLengthLimit) {
    finishLongString(start, length, word);
    strings = start + 8 + length;
    return true;
  }
  const auto offset = static_cast<std::size_t>(start - m_strings);
  const std::uint64_t fresh = tape::make(tape::kString, (offset << tape::kShortLengthBits) | length);
  if (cache) {
    std::uint64_t& slot = cache->slot(StringCache::hash(start, length));
    if (slot != 0) {
      const std::string_view cached = tape::stringAt(&slot, m_strings);
      if (cached.size() == length && sameBytes(cached.data(), start, length)) {
        word = slot;  // reuse the stored bytes; the fresh copy is simply overwritten later
        strings = start;
        return true;
      }
    }
    slot = fresh;
  }
  word = fresh;
  strings = start + length;
  return true;
}

// Whether the input at p (just past a key's opening quote) is exactly the plain string of
// `word` and its closing quote; on success p moves past the quote.
inline bool Parser::matchKey(const char*& p, const char* end, std::uint64_t word) const {
  if (tape::tagOf(word) != tape::kString || end - p < 16) return false;
  const std::uint64_t payload = tape::payloadOf(word);
  const std::size_t length = payload & tape::kShortLengthLimit;
  if (length > 15 || p[length] != '"') return false;
  // No quote, escape or other special byte may come before the closing quote.
  if constexpr (scan::kBlock >= 16) {
    if (scan::flaggedBefore(scan::stringStops(p), length)) return false;
  } else {
    for (std::size_t i = 0; i < length; i += scan::kBlock) {
      if (scan::flaggedBefore(scan::stringStops(p + i), std::min(scan::kBlock, length - i))) return false;
    }
  }
  if (!sameBytes(p, m_strings + (payload >> tape::kShortLengthBits), length)) return false;
  p += length + 1;
  return true;
}

bool Parser::parseLiteral(const char*& p) {
  const char* text;
  std::size_t length = 4;
  std::uint64_t word;
  switch (*p) {
    case 't': text = "true"; word = tape::kTrue; break;
    case 'f': text = "false"; word = tape::kFalse; length = 5; break;
    default: text = "null"; word = tape::kNull; break;
  }
  const auto available = static_cast<std::size_t>(m_end - p);
  if (available >= length && std::memcmp(p, text, 4) == 0 && (length == 4 || p[4] == 'e')) {
    pushWord(word);
    p += length;
    return true;
  }
  if (available < length && std::memcmp(p, text, available) == 0) {
    return fail(kErrorEndOfBuffer, m_end, message::kEndOfBuffer);
  }
  return failExpected(Expected::Value, p);
}

bool Parser::parseNumber(const char*& p) {
  const char* const start = p;
  const char* const end = m_end;
  const bool negative = *p == '-';
  if (negative) ++p;
  if (p == end) return fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);

  std::uint64_t magnitude = 0;
  const char* const firstDigit = p;
  if (*p == '0') {
    ++p;  // no digit may follow a leading "0": "01" stops at the "1", which the caller rejects
  } else if (isDigit(static_cast<unsigned char>(*p))) {
    // Nineteen digits always fit 64 bits.
    do {
      magnitude = magnitude * 10 + static_cast<unsigned>(*p - '0');
      ++p;
    } while (p < end && isDigit(static_cast<unsigned char>(*p)) && p - firstDigit < 19);
  } else {
    return failExpected(Expected::Digit, p);
  }
  bool overflow = false;
  while (magnitude != 0 && p < end && isDigit(static_cast<unsigned char>(*p))) {
    std::uint64_t next;
    if (overflow || __builtin_mul_overflow(magnitude, std::uint64_t{10}, &next) ||
        __builtin_add_overflow(next, static_cast<std::uint64_t>(*p - '0'), &next)) {
      overflow = true;
    } else {
      magnitude = next;
    }
    ++p;
  }
  const auto integerDigits = static_cast<std::size_t>(p - firstDigit);

  if (p == end || (*p != '.' && *p != 'e' && *p != 'E')) {
    if (!overflow) {
      if (!negative) {
        if (magnitude <= static_cast<std::uint64_t>(tape::kSmallIntMax)) {
          pushWord(tape::make(tape::kSmallInt, magnitude));
        } else if (magnitude <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
          pushData(tape::kInt64, &magnitude);
        } else {
          pushData(tape::kUInt64, &magnitude);
        }
        return true;
      }
      if (magnitude == 0) {
        // "-0" keeps its sign as a double, so that writing it back gives "-0" again.
        const double zero = -0.0;
        pushData(tape::kDouble, &zero);
        return true;
      }
      if (magnitude <= std::uint64_t{1} << 63) {
        const auto value = static_cast<std::int64_t>(0 - magnitude);
        if (value >= tape::kSmallIntMin) {
          pushWord(tape::make(tape::kSmallInt, static_cast<std::uint64_t>(value)));
        } else {
          pushData(tape::kInt64, &value);
        }
        return true;
      }
    }
    return parseDoubleSlow(start, p, firstDigit);
  }

  // Fraction and exponent: validate, and gather up to 19 significant digits on the way.
  std::uint64_t mantissa = magnitude;
  int significant = magnitude == 0 ? 0 : static_cast<int>(integerDigits);
  long long exponent10 = 0;
  bool exact = integerDigits <= 19;
  if (*p == '.') {
    ++p;
    if (p == end) return fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
    if (!isDigit(static_cast<unsigned char>(*p))) return failExpected(Expected::Digit, p);
    if (mantissa == 0) {
      // Zeros before the first significant digit only move the exponent.
      while (p < end && *p == '0') {
        ++p;
        --exponent10;
      }
    }
    // Up to eight digits per step (coordinates and measures have long fractions).
    while (end - p >= 8) {
      const std::uint64_t block = digits::loadEight(p);
      const unsigned count = digits::leadingDigits(block);
      if (count == 0 || significant + static_cast<int>(count) > 19) break;
      mantissa = mantissa * digits::kPowersOfTen[count] + digits::digitsValue(block, count);
      significant += static_cast<int>(count);
      exponent10 -= count;
      p += count;
      if (count < 8) break;
    }
    while (p < end && isDigit(static_cast<unsigned char>(*p))) {
      if (significant < 19) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        if (mantissa != 0) ++significant;
        --exponent10;
      } else {
        exact = false;
      }
      ++p;
    }
  }
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negativeExponent = false;
    if (p < end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
    if (p == end) return fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
    if (!isDigit(static_cast<unsigned char>(*p))) return failExpected(Expected::ExponentStart, p);
    long long value = 0;
    do {
      if (value < 100000) value = value * 10 + (*p - '0');
      ++p;
    } while (p < end && isDigit(static_cast<unsigned char>(*p)));
    exponent10 += negativeExponent ? -value : value;
  }
  if (!exact) return parseDoubleSlow(start, p, firstDigit);
  double value;
  if (mantissa == 0) {
    value = 0.0;
  } else if (!number::exactDouble(mantissa, exponent10, value)) {
    return parseDoubleSlow(start, p, firstDigit);
  }
  if (negative) value = -value;
  pushData(tape::kDouble, &value);
  return true;
}

// Any number the fast paths leave: many digits, far exponents, rare rounding cases.
bool Parser::parseDoubleSlow(const char* start, const char* stop, const char* firstDigit) {
  double value = 0;
  const auto result = std::from_chars(start, stop, value);
  if (result.ec == std::errc::result_out_of_range) {
    if (digits::decimalMagnitude(std::string_view(firstDigit, static_cast<std::size_t>(stop - firstDigit))) > 0) {
      return fail(kErrorNumberTooLarge, start,
                  "The number '" + std::string(start, static_cast<std::size_t>(std::min<std::ptrdiff_t>(stop - start, 40))) +
                      "' is too large for a double.");
    }
    value = *start == '-' ? -0.0 : 0.0;
  } else if (result.ec != std::errc() || result.ptr != stop) {
    return failExpected(Expected::Digit, start);  // unreachable: the syntax was checked
  }
  pushData(tape::kDouble, &value);
  return true;
}

foundation::Result<Document> Parser::run() {
  const char* p = m_begin;
  const char* const end = m_end;
  if (end - p >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) p += 3;

  // Compact text has no white space between tokens: one test covers that case.
#define TB_SKIP_WHITESPACE()                                               \
  do {                                                                     \
    if (p < end && static_cast<unsigned char>(*p) <= ' ') p = skipWhitespace(p, end); \
  } while (false)

  TB_SKIP_WHITESPACE();
  if (p == end) {
    fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
    return buildError();
  }
  if (*p != '{' && *p != '[') {
    fail(kErrorTopLevel, p, message::kTopLevel);
    return buildError();
  }
  if (static_cast<std::size_t>(end - m_begin) >= kMaxInput) {
    fail(kErrorDocumentTooLarge, m_begin, "The document is too large.");
    return buildError();
  }
  if (!allocate()) {
    fail(kErrorDocumentTooLarge, m_begin, "Not enough memory for the document.");
    return buildError();
  }

  // The hot state lives in locals: the tape cursor cannot then be aliased by the byte stores
  // of string copying. SYNC_TAPE/RELOAD_TAPE hand it to and back from out-of-line helpers.
  std::uint64_t* out = m_words;
  std::uint64_t* outLimit = m_words + m_wordCapacity;
  Frame* top = nullptr;  // innermost open container
  char* strings = m_strings;  // write cursor of the string buffer
  std::uint64_t word;
#define TB_SYNC_TAPE() (m_wordCount = static_cast<std::size_t>(out - m_words))
#define TB_RELOAD_TAPE() (out = m_words + m_wordCount, outLimit = m_words + m_wordCapacity)
#define TB_RESERVE_TAPE(n)                   \
  if (outLimit - out < (n)) {                \
    TB_SYNC_TAPE();                          \
    if (!growWords()) goto failed;           \
    TB_RELOAD_TAPE();                        \
  }
  if (*p == '[') goto open_array;

open_object:
  if (m_depth == kMaxDepth) goto too_deep;
  TB_RESERVE_TAPE(2);
  top = &m_frames[m_depth++];
  *top = Frame{static_cast<std::size_t>(out - m_words), 0, true};
  out += 2;
  ++p;
  TB_SKIP_WHITESPACE();
  if (p < end && *p == '"') goto member_key;
  if (p < end && *p == '}') {
    ++p;
    goto close_container;
  }
  failExpected(Expected::KeyOrBrace, p);
  goto failed;

member_key:  // p is at the key's opening quote
  ++p;
  TB_RESERVE_TAPE(3);  // the key and a value of up to two words
  {
    std::uint64_t& predicted = m_predictedKeys[(static_cast<std::size_t>(m_depth) * 32 + top->count) & m_predictedMask];
    if (matchKey(p, end, predicted)) {
      word = predicted;
    } else {
      if (!parseString(p, end, strings, word, &m_keys)) goto failed;
      predicted = word;
    }
    ++top->count;
  }
  *out++ = word;
  if (p < end && *p == ':') {
    ++p;
  } else {
    TB_SKIP_WHITESPACE();
    if (p == end || *p != ':') {
      if (p == end) fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
      else fail(kErrorExpectedColon, p, message::kExpectedColon);
      goto failed;
    }
    ++p;
  }
  TB_SKIP_WHITESPACE();
  goto scalar_or_container;

open_array:
  if (m_depth == kMaxDepth) goto too_deep;
  TB_RESERVE_TAPE(2);
  top = &m_frames[m_depth++];
  *top = Frame{static_cast<std::size_t>(out - m_words), 0, false};
  out += 2;
  ++p;
  TB_SKIP_WHITESPACE();
  if (p < end && *p == ']') {
    ++p;
    goto close_container;
  }
  if (p < end && *p != '{' && *p != '[' && *p != '"' && *p != 't' && *p != 'f' && *p != 'n' && *p != '-' &&
      !isDigit(static_cast<unsigned char>(*p))) {
    failExpected(Expected::ValueOrBracket, p);
    goto failed;
  }
  goto array_element;

array_element:
  ++top->count;
  TB_RESERVE_TAPE(2);

scalar_or_container:  // p is at the first character of a value (or at the end); room for 2 words
  if (p == end) {
    fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
    goto failed;
  }
  if (*p == '"') {  // the commonest value: tested before the jump table
    ++p;
    if (!parseString(p, end, strings, word, nullptr)) goto failed;
    *out++ = word;
    goto after_value;
  }
  switch (*p) {
    case '{':
      goto open_object;
    case '[':
      goto open_array;
    case 't':
    case 'f':
    case 'n':
      // Whole literal in one compare when enough text is left; the careful path otherwise.
      if (end - p >= 5) {
        std::uint32_t four;
        std::memcpy(&four, p, 4);
        if (four == literalWord("true")) {
          *out++ = tape::kTrue;
          p += 4;
          break;
        }
        if (four == literalWord("null")) {
          *out++ = tape::kNull;
          p += 4;
          break;
        }
        if (four == literalWord("fals") && p[4] == 'e') {
          *out++ = tape::kFalse;
          p += 5;
          break;
        }
      }
      TB_SYNC_TAPE();
      if (!parseLiteral(p)) goto failed;
      TB_RELOAD_TAPE();
      break;
    case '1': case '2': case '3': case '4': case '5': case '6': case '7': case '8': case '9':
      // Short non-negative integers (record ids, levels, counters): up to 17 digits always fit
      // a small integer. Anything else, or text ending early, takes the full path.
      if (end - p >= 18) {
        const char* q = p;
        std::uint64_t value = static_cast<unsigned>(*q++ - '0');
        while (isDigit(static_cast<unsigned char>(*q)) && q - p < 17) value = value * 10 + static_cast<unsigned>(*q++ - '0');
        if (!isDigit(static_cast<unsigned char>(*q)) && *q != '.' && (*q | 0x20) != 'e') {
          *out++ = tape::make(tape::kSmallInt, value);
          p = q;
          break;
        }
      }
      [[fallthrough]];
    case '-':
    case '0':
      TB_SYNC_TAPE();
      if (!parseNumber(p)) goto failed;
      TB_RELOAD_TAPE();
      break;
    default:
      failExpected(Expected::Value, p);
      goto failed;
  }

after_value: {
  if (p < end && static_cast<unsigned char>(*p) <= ' ') TB_SKIP_WHITESPACE();
  if (p == end) {
    fail(kErrorEndOfBuffer, end, message::kEndOfBuffer);
    goto failed;
  }
  const char c = *p;
  if (c == ',') {
    ++p;
    TB_SKIP_WHITESPACE();
    if (top->object) {
      if (p < end && *p == '"') goto member_key;
      failExpected(Expected::Key, p);
      goto failed;
    }
    goto array_element;
  }
  if (c == (top->object ? '}' : ']')) {
    ++p;
    goto close_container;
  }
  failExpected(top->object ? Expected::CommaOrBrace : Expected::CommaOrBracket, p);
  goto failed;
}

close_container: {
  const std::size_t header = top->header;
  m_words[header] = tape::make(top->object ? tape::kObject : tape::kArray, static_cast<std::size_t>(out - m_words) - header);
  m_words[header + 1] = top->count;
  --m_depth;
  if (m_depth > 0) {
    top = &m_frames[m_depth - 1];
    goto after_value;
  }
  TB_SKIP_WHITESPACE();
  if (p != end) {
    fail(kErrorTrailingContent, p, message::kTrailing);
    goto failed;
  }
}
  TB_SYNC_TAPE();
  return finish(strings);
#undef TB_SYNC_TAPE
#undef TB_RELOAD_TAPE
#undef TB_RESERVE_TAPE

too_deep:
  fail(kErrorTooDeep, p, "Too many nested arrays and objects (more than " + std::to_string(kMaxDepth) + " levels).");
failed:
  return buildError();
}

#undef TB_SKIP_WHITESPACE

foundation::Result<Document> parse(std::string_view text) {
  Parser parser(text);
  return parser.run();
}

}  // namespace json
