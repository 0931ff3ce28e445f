// Parse -> write -> parse -> write: whatever the parser accepts must be written as text that
// the parser accepts again and that is then written identically. Also walks every value and
// copies the document into a built value, whose text must be the same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "json/MutableValue.h"
#include "json/Parser.h"
#include "json/Serializer.h"
#include "json/Utf8.h"

namespace {

[[noreturn]] void fault(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
  std::abort();
}

std::size_t walk(const json::Value& value) {
  std::size_t sum = 0;
  switch (value.type()) {
    case json::Type::String:
      if (!json::utf8::isValid(value.stringValue())) fault("invalid UTF-8 in a parsed string", std::string(value.stringValue()));
      return value.stringValue().size();
    case json::Type::Array:
      for (const json::Value element : value.elements()) sum += walk(element) + 1;
      return sum;
    case json::Type::Object:
      for (const json::Member& member : value.members()) {
        if (!value.find(member.key)) fault("member not found by its key", std::string(member.key));
        sum += member.key.size() + walk(member.value());
      }
      return sum;
    default:
      return value.numberText().size();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto first = json::parse(text);
  if (!first.ok()) {
    if (first.error().offset < 0 || static_cast<std::size_t>(first.error().offset) > size) {
      fault("error offset outside the input", first.error().message);
    }
    return 0;
  }
  const json::Value root = first.value().root();
  walk(root);
  auto written = json::serialize(root);
  if (!written.ok()) fault("cannot write a parsed document", written.error().message);
  auto second = json::parse(written.value());
  if (!second.ok()) fault("cannot parse written text", second.error().message + " in " + written.value());
  auto rewritten = json::serialize(second.value().root());
  if (!rewritten.ok() || rewritten.value() != written.value()) fault("second writing differs", written.value());
  auto built = json::serialize(json::MutableValue::from(root));
  if (!built.ok() || built.value() != written.value()) fault("built copy writes differently", written.value());
  return 0;
}
