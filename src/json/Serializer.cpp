#include "json/Serializer.h"

#include <vector>

#include "json/Errors.h"
#include "json/Writer.h"

namespace json {

namespace {

// Scalars of the tape; containers are handled by the walk.
void writeScalar(Writer& writer, const Value& value) {
  switch (value.type()) {
    case Type::Null: writer.null(); break;
    case Type::Bool: writer.boolean(value.boolValue()); break;
    case Type::Int: writer.int64(value.int64Value()); break;
    case Type::UInt: writer.uint64(value.uint64Value()); break;
    case Type::Double: writer.number(value.doubleValue()); break;
    case Type::String: writer.string(value.stringValue()); break;
    default: break;
  }
}

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

foundation::Result<std::string> serialize(const Value& value) {
  const std::uint64_t* word = value.word();
  const std::uint64_t* const stop = tape::next(word);
  // The tape is in document order, so writing is one pass over it; the stack only remembers
  // where each open container ends and whether a key comes next.
  struct Open {
    const std::uint64_t* end;
    bool object;
    bool keyNext;
  };
  std::vector<Open> open;
  open.reserve(32);
  // Parsed strings are known to be valid UTF-8.
  Writer writer(static_cast<std::size_t>(stop - word) * 8 + 64, false);
  const char* const strings = value.strings();
  while (word < stop || !open.empty()) {
    if (!open.empty() && word == open.back().end) {
      writer.endObjectOrArray(open.back().object);
      open.pop_back();
      continue;
    }
    if (!open.empty() && open.back().object) {
      Open& parent = open.back();
      if (parent.keyNext) {
        writer.key(tape::stringAt(word, strings));
        ++word;
        parent.keyNext = false;
        continue;
      }
      parent.keyNext = true;
    }
    const auto tag = tape::tagOf(*word);
    if (tag == tape::kArray || tag == tape::kObject) {
      const bool object = tag == tape::kObject;
      if (object) writer.startObject();
      else writer.startArray();
      open.push_back(Open{tape::next(word), object, true});
      word += 2;
      continue;
    }
    writeScalar(writer, Value(word, strings));
    word = tape::next(word);
  }
  return writer.finish();
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
