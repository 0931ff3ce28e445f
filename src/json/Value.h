#pragma once
// Read-only view of a parsed JSON value.
//
// A parsed document is a "tape": one array of 64-bit words holding every value in document
// order, plus one buffer holding the bytes of every string. A json::Value is a small view (two
// pointers) into both; it is cheap to copy and valid as long as the json::Document it came from
// is alive and not moved from (moving a Document keeps the buffers, so views survive a move;
// destroying it frees them). Views are immutable and may be read from several threads at once.
//
// Objects keep their members in document order, duplicates included; every lookup by key
// (find, findPath) returns the FIRST member with that key. Numbers keep their kind: integers
// are Int (signed 64-bit) unless they only fit an unsigned 64-bit (UInt); numbers written with
// a fraction or an exponent, integers beyond 64 bits and "-0" are Double.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace json {

enum class Type : std::uint8_t { Null, Bool, Int, UInt, Double, String, Array, Object };

namespace tape {
// Word layout: the low 4 bits are the tag, the upper 60 bits its payload.
enum Tag : std::uint64_t {
  kNull = 0,
  kFalse = 1,
  kTrue = 2,
  kSmallInt = 3,   // payload: the value, signed 60-bit
  kInt64 = 4,      // the next word holds the value
  kUInt64 = 5,     // the next word holds the value
  kDouble = 6,     // the next word holds the bits
  kString = 7,     // payload: offset << 24 | length, for lengths below 2^24
  kLongString = 8, // payload: offset of an 8-byte length followed by the bytes
  kArray = 9,      // payload: words from this header to the end of the container; next word: count
  kObject = 10,    // same; members are key (a string word) then value
};
inline constexpr int kTagBits = 4;
inline constexpr std::uint64_t kTagMask = 0xF;
inline constexpr int kShortLengthBits = 24;
inline constexpr std::uint64_t kShortLengthLimit = (std::uint64_t{1} << kShortLengthBits) - 1;
inline constexpr std::int64_t kSmallIntMin = -(std::int64_t{1} << 59);
inline constexpr std::int64_t kSmallIntMax = (std::int64_t{1} << 59) - 1;

inline std::uint64_t tagOf(std::uint64_t word) { return word & kTagMask; }
inline std::uint64_t payloadOf(std::uint64_t word) { return word >> kTagBits; }
inline std::uint64_t make(Tag tag, std::uint64_t payload) { return (payload << kTagBits) | tag; }

// The word after a value: containers jump over their contents, numbers over their data word.
inline const std::uint64_t* next(const std::uint64_t* word) {
  switch (tagOf(*word)) {
    case kArray:
    case kObject:
      return word + payloadOf(*word);
    case kInt64:
    case kUInt64:
    case kDouble:
      return word + 2;
    default:
      return word + 1;
  }
}

[[gnu::always_inline]] inline std::int64_t smallInt(std::uint64_t word) {
  // Arithmetic shift keeps the sign of the 60-bit payload.
  return static_cast<std::int64_t>(word) >> kTagBits;
}

template <class T>
T dataWord(const std::uint64_t* word) {
  T value;
  std::memcpy(&value, word + 1, sizeof value);
  return value;
}

inline std::string_view stringAt(const std::uint64_t* word, const char* strings) {
  const std::uint64_t payload = payloadOf(*word);
  if (tagOf(*word) == kString) {
    return {strings + (payload >> kShortLengthBits), static_cast<std::size_t>(payload & kShortLengthLimit)};
  }
  std::uint64_t length;
  std::memcpy(&length, strings + payload, sizeof length);
  return {strings + payload + sizeof length, static_cast<std::size_t>(length)};
}
}  // namespace tape

class Value;

struct Member {
  std::string_view key;
  const std::uint64_t* valueWord;
  const char* strings;
  Value value() const;
};

class Value {
 public:
  // A null value that belongs to no document.
  Value() : m_word(&kNullWord), m_strings(nullptr) {}
  Value(const std::uint64_t* word, const char* strings) : m_word(word), m_strings(strings) {}

  Type type() const {
    switch (tape::tagOf(*m_word)) {
      case tape::kNull: return Type::Null;
      case tape::kFalse:
      case tape::kTrue: return Type::Bool;
      case tape::kSmallInt:
      case tape::kInt64: return Type::Int;
      case tape::kUInt64: return Type::UInt;
      case tape::kDouble: return Type::Double;
      case tape::kString:
      case tape::kLongString: return Type::String;
      case tape::kArray: return Type::Array;
      default: return Type::Object;
    }
  }
  bool isNull() const { return tape::tagOf(*m_word) == tape::kNull; }
  bool isBool() const { return type() == Type::Bool; }
  bool isNumber() const { const Type t = type(); return t == Type::Int || t == Type::UInt || t == Type::Double; }
  bool isInteger() const { const Type t = type(); return t == Type::Int || t == Type::UInt; }
  bool isString() const { return type() == Type::String; }
  bool isArray() const { return tape::tagOf(*m_word) == tape::kArray; }
  bool isObject() const { return tape::tagOf(*m_word) == tape::kObject; }

  // Typed reads; each gives nothing when the value is of another kind or out of range.
  std::optional<bool> getBool() const;
  std::optional<std::int64_t> getInt64() const;    // Int, or UInt up to INT64_MAX
  std::optional<std::uint64_t> getUInt64() const;  // UInt, or a non-negative Int
  std::optional<double> getDouble() const;         // any number (integers converted)
  std::optional<std::string_view> getString() const;

  // Unchecked reads for code that has looked at type() already.
  bool boolValue() const { return tape::tagOf(*m_word) == tape::kTrue; }
  std::int64_t int64Value() const;  // a double is truncated toward zero, saturating
  std::uint64_t uint64Value() const;
  double doubleValue() const;
  std::string_view stringValue() const { return tape::stringAt(m_word, m_strings); }

  // Decimal text of a number: integers exactly, doubles as the shortest text that reads back
  // as the same double. Empty for anything that is not a number.
  std::string numberText() const;

  // Elements of an array or members of an object; 0 for anything else.
  std::size_t size() const;
  bool empty() const { return size() == 0; }

  // Walk an array's elements or an object's members in order (empty ranges for other kinds).
  class ElementIterator;
  class MemberIterator;
  struct Elements;
  struct Members;
  Elements elements() const;
  Members members() const;

  // The i-th element of an array (walks from the start: O(i)), or nothing.
  std::optional<Value> at(std::size_t index) const;
  // The first member with this key, or nothing (absent key, or not an object). A member whose
  // value is null is found, and comes back as a null Value: absent and null stay distinct.
  std::optional<Value> find(std::string_view key) const;
  // Descends through nested objects along a dotted key path ("user.address.city").
  std::optional<Value> findPath(std::string_view keyPath) const;

  const std::uint64_t* word() const { return m_word; }
  const char* strings() const { return m_strings; }

 private:
  static constexpr std::uint64_t kNullWord = tape::kNull;

  const std::uint64_t* m_word;
  const char* m_strings;
};

inline Value Member::value() const { return Value(valueWord, strings); }

class Value::ElementIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = Value;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = Value;

  ElementIterator() = default;
  ElementIterator(const std::uint64_t* word, const char* strings) : m_word(word), m_strings(strings) {}
  Value operator*() const { return Value(m_word, m_strings); }
  ElementIterator& operator++() { m_word = tape::next(m_word); return *this; }
  ElementIterator operator++(int) { auto old = *this; ++*this; return old; }
  bool operator==(const ElementIterator& other) const { return m_word == other.m_word; }

 private:
  const std::uint64_t* m_word = nullptr;
  const char* m_strings = nullptr;
};

class Value::MemberIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = Member;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = Member;

  MemberIterator() = default;
  MemberIterator(const std::uint64_t* word, const char* strings) : m_word(word), m_strings(strings) {}
  Member operator*() const { return Member{tape::stringAt(m_word, m_strings), m_word + 1, m_strings}; }
  MemberIterator& operator++() { m_word = tape::next(m_word + 1); return *this; }
  MemberIterator operator++(int) { auto old = *this; ++*this; return old; }
  bool operator==(const MemberIterator& other) const { return m_word == other.m_word; }

 private:
  const std::uint64_t* m_word = nullptr;
  const char* m_strings = nullptr;
};

struct Value::Elements {
  ElementIterator first, last;
  ElementIterator begin() const { return first; }
  ElementIterator end() const { return last; }
};

struct Value::Members {
  MemberIterator first, last;
  MemberIterator begin() const { return first; }
  MemberIterator end() const { return last; }
};

inline Value::Elements Value::elements() const {
  if (!isArray()) return {};
  return {ElementIterator(m_word + 2, m_strings), ElementIterator(tape::next(m_word), m_strings)};
}

inline Value::Members Value::members() const {
  if (!isObject()) return {};
  return {MemberIterator(m_word + 2, m_strings), MemberIterator(tape::next(m_word), m_strings)};
}

inline std::size_t Value::size() const {
  const auto tag = tape::tagOf(*m_word);
  return tag == tape::kArray || tag == tape::kObject ? static_cast<std::size_t>(m_word[1]) : 0;
}

inline std::int64_t Value::int64Value() const {
  switch (tape::tagOf(*m_word)) {
    case tape::kSmallInt: return tape::smallInt(*m_word);
    case tape::kInt64: return tape::dataWord<std::int64_t>(m_word);
    case tape::kUInt64: return static_cast<std::int64_t>(tape::dataWord<std::uint64_t>(m_word));
    case tape::kDouble: {
      // Truncated toward zero; out-of-range values saturate (a plain cast would be undefined).
      const double d = tape::dataWord<double>(m_word);
      if (d >= 9223372036854775808.0) return INT64_MAX;
      if (d < -9223372036854775808.0) return INT64_MIN;
      return static_cast<std::int64_t>(d);
    }
    default: return 0;
  }
}

inline std::uint64_t Value::uint64Value() const {
  if (tape::tagOf(*m_word) == tape::kUInt64) return tape::dataWord<std::uint64_t>(m_word);
  return static_cast<std::uint64_t>(int64Value());
}

inline double Value::doubleValue() const {
  switch (tape::tagOf(*m_word)) {
    case tape::kSmallInt: return static_cast<double>(tape::smallInt(*m_word));
    case tape::kInt64: return static_cast<double>(tape::dataWord<std::int64_t>(m_word));
    case tape::kUInt64: return static_cast<double>(tape::dataWord<std::uint64_t>(m_word));
    case tape::kDouble: return tape::dataWord<double>(m_word);
    default: return 0.0;
  }
}

}  // namespace json
