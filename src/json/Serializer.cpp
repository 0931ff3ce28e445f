#include "json/Serializer.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

#include "json/Errors.h"
#include "json/Escape.h"
#include "json/Numbers.h"
#include "json/Writer.h"

namespace json {

namespace {

bool writeTree(Writer& writer, const MutableValue& value, int depth) {
  switch (value.type()) {
    case Type::Null: writer.null(); return true;
    case Type::Bool: writer.boolean(*value.getBool()); return true;
    case Type::Int: writer.int64(*value.getInt64()); return true;
    case Type::UInt: writer.uint64(*value.getUInt64()); return true;
    case Type::Double: writer.number(*value.getDouble()); return writer.ok();
    case Type::String: writer.string(*value.getString()); return writer.ok();
    case Type::Array:
      if (depth >= kMaxDepth) return false;
      writer.startArray();
      for (const MutableValue& element : value.elements()) {
        if (!writeTree(writer, element, depth + 1)) return false;
      }
      writer.endArray();
      return true;
    case Type::Object:
      if (depth >= kMaxDepth) return false;
      writer.startObject();
      for (const auto& [key, member] : value.members()) {
        writer.key(key);
        if (!writeTree(writer, member, depth + 1)) return false;
      }
      writer.endObject();
      return writer.ok();
  }
  return true;
}

}  // namespace

namespace {

// Output for the document writer: a string grown by doubling, written through a raw pointer.
class Output {
 public:
  explicit Output(std::size_t hint) {
    m_text.resize(hint < 64 ? 64 : hint);
    m_pos = m_text.data();
    m_limit = m_pos + m_text.size();
  }
  char* room(std::size_t bytes) {
    if (static_cast<std::size_t>(m_limit - m_pos) < bytes) grow(bytes);
    return m_pos;
  }
  void advance(char* to) { m_pos = to; }
  std::string take() {
    m_text.resize(static_cast<std::size_t>(m_pos - m_text.data()));
    return std::move(m_text);
  }

 private:
  void grow(std::size_t bytes) {
    const auto used = static_cast<std::size_t>(m_pos - m_text.data());
    m_text.resize(std::max(m_text.size() * 2, used + bytes));
    m_pos = m_text.data() + used;
    m_limit = m_text.data() + m_text.size();
  }

  std::string m_text;
  char* m_pos;
  char* m_limit;
};

constexpr std::size_t kScalarRoom = 64;  // any number, literal, comma and colon

// A quoted, escaped string of a parsed document (its buffer is padded); sliced so that one
// huge string does not reserve 6x its size.
void writeString(Output& out, std::string_view text) {
  constexpr std::size_t kSlice = 64 * 1024;
  const char* p = text.data();
  const char* const end = p + text.size();
  if (text.size() <= kSlice) {
    char* o = out.room(detail::kEscapeGrowth * text.size() + 18);
    *o++ = '"';
    o = detail::escapeInto<true>(o, p, end);
    *o++ = '"';
    out.advance(o);
    return;
  }
  char* o = out.room(1);
  *o++ = '"';
  out.advance(o);
  while (p < end) {
    const std::size_t slice = std::min<std::size_t>(kSlice, static_cast<std::size_t>(end - p));
    o = out.room(detail::kEscapeGrowth * slice + 18);
    o = detail::escapeInto<true>(o, p, p + slice);
    out.advance(o);
    p += slice;
  }
  o = out.room(1);
  *o++ = '"';
  out.advance(o);
}

}  // namespace

foundation::Result<std::string> serialize(const Value& value) {
  const std::uint64_t* word = value.word();
  const std::uint64_t* const stop = tape::next(word);
  const char* const strings = value.strings();
  // The tape is in document order, so writing is one pass over it; the stack only remembers
  // where each open container ends. Parsed strings are known to be valid UTF-8.
  struct Open {
    const std::uint64_t* end;
    bool object;
  };
  std::vector<Open> open;
  open.reserve(32);
  Output out(static_cast<std::size_t>(stop - word) * 8 + 64);
  bool first = true;
  for (;;) {
    while (!open.empty() && word == open.back().end) {
      char* o = out.room(1);
      *o++ = open.back().object ? '}' : ']';
      out.advance(o);
      open.pop_back();
      first = false;
    }
    if (word == stop) break;
    if (!open.empty()) {
      if (!first) {
        char* o = out.room(1);
        *o++ = ',';
        out.advance(o);
      }
      if (open.back().object) {
        writeString(out, tape::stringAt(word, strings));
        char* o = out.room(1);
        *o++ = ':';
        out.advance(o);
        ++word;
      }
    }
    first = false;
    const auto tag = tape::tagOf(*word);
    switch (tag) {
      case tape::kString:
      case tape::kLongString:
        writeString(out, tape::stringAt(word, strings));
        ++word;
        continue;
      case tape::kArray:
      case tape::kObject: {
        char* o = out.room(1);
        *o++ = tag == tape::kObject ? '{' : '[';
        out.advance(o);
        open.push_back(Open{tape::next(word), tag == tape::kObject});
        word += 2;
        first = true;
        continue;
      }
      default:
        break;
    }
    char* o = out.room(kScalarRoom);
    const Value scalar(word, strings);
    switch (tag) {
      case tape::kNull: std::memcpy(o, "null", 4); o += 4; break;
      case tape::kTrue: std::memcpy(o, "true", 4); o += 4; break;
      case tape::kFalse: std::memcpy(o, "false", 5); o += 5; break;
      case tape::kUInt64: o = std::to_chars(o, o + kScalarRoom, scalar.uint64Value()).ptr; break;
      case tape::kDouble: o += formatDouble17(scalar.doubleValue(), o); break;
      default: o = std::to_chars(o, o + kScalarRoom, scalar.int64Value()).ptr; break;
    }
    out.advance(o);
    word = tape::next(word);
  }
  return out.take();
}

foundation::Result<std::string> serialize(const MutableValue& value) {
  Writer writer(256, true);
  if (!writeTree(writer, value, 0) && writer.ok()) {
    return foundation::Error{kJsonErrorDomain, kErrorTooDeepToWrite,
                             "Too many nested arrays and objects to write (more than " + std::to_string(kMaxDepth) +
                                 " levels).",
                             -1};
  }
  return writer.finish();
}

}  // namespace json
