#include "json/Serializer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "json/Errors.h"
#include "json/Escape.h"
#include "json/IntegerText.h"
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

// The text of the document writer. The string is resized (and so zero-filled) only a step
// ahead of the writing, within a capacity reserved from an estimate: the fill touches memory
// that is written right after, while it is still in the cache.
class Output {
 public:
  explicit Output(std::size_t expected) {
    m_text.reserve(expected);
    m_text.resize(std::min(expected, kStep));
    m_limit = m_text.data() + m_text.size();
  }
  char* start() { return m_text.data(); }
  // A write position with room for `bytes` more at `at`; the text may move.
  [[gnu::always_inline]] char* room(char* at, std::size_t bytes) {
    if (static_cast<std::size_t>(m_limit - at) < bytes) return extend(at, bytes);
    return at;
  }
  std::string take(char* at) {
    m_text.resize(static_cast<std::size_t>(at - m_text.data()));
    return std::move(m_text);
  }

 private:
  static constexpr std::size_t kStep = 64 * 1024;

  [[gnu::noinline]] char* extend(char* at, std::size_t bytes) {
    const auto used = static_cast<std::size_t>(at - m_text.data());
    // A step ahead, or twice the text so far while that is less (small documents); beyond the
    // capacity, the string doubles it.
    m_text.resize(used + std::max(bytes, std::min(kStep, m_text.size())));
    m_limit = m_text.data() + m_text.size();
    return m_text.data() + used;
  }

  std::string m_text;
  char* m_limit;
};

// Strings longer than this are escaped in slices, so that one huge string does not reserve
// six times its size at once.
constexpr std::size_t kSlice = 64 * 1024;

[[gnu::noinline]] char* writeLongQuoted(Output& out, char* o, std::string_view text) {
  o = out.room(o, 1);
  *o++ = '"';
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const std::size_t slice = std::min<std::size_t>(kSlice, static_cast<std::size_t>(end - p));
    o = out.room(o, detail::escapedRoom(slice));
    o = detail::escapeInto<true>(o, p, p + slice);
    p += slice;
  }
  o = out.room(o, 2);
  *o++ = '"';
  return o;
}

// The quoted, escaped string of a tape word, with room for one more byte after it. Parsed
// strings are valid UTF-8 and their buffer is padded for 16-byte reads.
[[gnu::always_inline]] inline char* writeQuoted(Output& out, char* o, const std::uint64_t* word, const char* strings) {
  if (tape::tagOf(*word) == tape::kString) {
    const std::uint64_t payload = tape::payloadOf(*word);
    const char* const text = strings + (payload >> tape::kShortLengthBits);
    const auto length = static_cast<std::size_t>(payload & tape::kShortLengthLimit);
    if (length <= kSlice) {
      o = out.room(o, detail::escapedRoom(length) + 3);
      *o++ = '"';
      o = detail::escapeInto<true>(o, text, text + length);
      *o++ = '"';
      return o;
    }
  }
  return writeLongQuoted(out, o, tape::stringAt(word, strings));
}

// Room for any number or literal and the comma after it.
constexpr std::size_t kScalarRoom = kMaxDoubleText + 8;

}  // namespace

foundation::Result<std::string> serialize(const Value& value) {
  const std::uint64_t* word = value.word();
  const std::uint64_t* const stop = tape::next(word);
  const char* const strings = value.strings();
  // The tape is in document order, so writing is one pass over it; the stack only remembers
  // where each open container ends. A parsed document nests at most kMaxDepth deep.
  struct Open {
    const std::uint64_t* end;
    bool object;
  };
  Open open[kMaxDepth];
  int depth = 0;
  Output out(static_cast<std::size_t>(stop - word) * sizeof(std::uint64_t) + 64);
  char* o = out.start();
  for (;;) {
    // `word` is at a value, or at a member's key in an object.
    if (depth > 0 && open[depth - 1].object) {
      o = writeQuoted(out, o, word, strings);
      *o++ = ':';
      ++word;
    }
    const auto tag = tape::tagOf(*word);
    switch (tag) {
      case tape::kString:
      case tape::kLongString:
        o = writeQuoted(out, o, word, strings);
        ++word;
        break;
      case tape::kArray:
      case tape::kObject: {
        o = out.room(o, 3);
        const bool object = tag == tape::kObject;
        *o++ = object ? '{' : '[';
        const std::uint64_t* const end = tape::next(word);
        word += 2;
        if (word != end) {
          if (depth == kMaxDepth) {
            return foundation::Error{kJsonErrorDomain, kErrorTooDeepToWrite,
                                     "Too many nested arrays and objects to write (more than " + std::to_string(kMaxDepth) +
                                         " levels).",
                                     -1};
          }
          open[depth++] = Open{end, object};
          continue;
        }
        *o++ = object ? '}' : ']';
        break;
      }
      default:
        o = out.room(o, kScalarRoom);
        switch (tag) {
          case tape::kNull: std::memcpy(o, "null", 4); o += 4; break;
          case tape::kTrue: std::memcpy(o, "true", 4); o += 4; break;
          case tape::kFalse: std::memcpy(o, "false", 5); o += 5; break;
          case tape::kSmallInt: o = text::writeSigned(o, tape::smallInt(*word)); break;
          case tape::kInt64: o = text::writeSigned(o, tape::dataWord<std::int64_t>(word)); break;
          case tape::kUInt64: o = text::writeUnsigned(o, tape::dataWord<std::uint64_t>(word)); break;
          default: o += formatDouble17(tape::dataWord<double>(word), o); break;
        }
        word = tape::next(word);
        break;
    }
    while (depth > 0 && word == open[depth - 1].end) {
      o = out.room(o, 2);
      --depth;
      *o++ = open[depth].object ? '}' : ']';
    }
    if (depth == 0) break;
    *o++ = ',';  // every path above left room for it
  }
  return out.take(o);
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
