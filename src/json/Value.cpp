#include "json/Value.h"

#include <charconv>
#include <limits>

#include "json/Numbers.h"

namespace json {

namespace {

using tape::dataWord;
using tape::smallInt;

}  // namespace

std::optional<bool> Value::getBool() const {
  if (!isBool()) return std::nullopt;
  return boolValue();
}

std::optional<std::int64_t> Value::getInt64() const {
  switch (tape::tagOf(*m_word)) {
    case tape::kSmallInt: return smallInt(*m_word);
    case tape::kInt64: return dataWord<std::int64_t>(m_word);
    case tape::kUInt64: {
      const auto v = dataWord<std::uint64_t>(m_word);
      if (v > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
      return static_cast<std::int64_t>(v);
    }
    default: return std::nullopt;
  }
}

std::optional<std::uint64_t> Value::getUInt64() const {
  switch (tape::tagOf(*m_word)) {
    case tape::kSmallInt:
    case tape::kInt64: {
      const std::int64_t v = int64Value();
      if (v < 0) return std::nullopt;
      return static_cast<std::uint64_t>(v);
    }
    case tape::kUInt64: return dataWord<std::uint64_t>(m_word);
    default: return std::nullopt;
  }
}

std::optional<double> Value::getDouble() const {
  if (!isNumber()) return std::nullopt;
  return doubleValue();
}

std::optional<std::string_view> Value::getString() const {
  if (!isString()) return std::nullopt;
  return stringValue();
}

std::string Value::numberText() const {
  char buffer[32];
  switch (type()) {
    case Type::Int: {
      const auto r = std::to_chars(buffer, buffer + sizeof buffer, int64Value());
      return std::string(buffer, r.ptr);
    }
    case Type::UInt: {
      const auto r = std::to_chars(buffer, buffer + sizeof buffer, uint64Value());
      return std::string(buffer, r.ptr);
    }
    case Type::Double: return shortestDouble(doubleValue());
    default: return {};
  }
}

std::optional<Value> Value::at(std::size_t index) const {
  if (!isArray() || index >= size()) return std::nullopt;
  auto it = elements().begin();
  for (std::size_t i = 0; i < index; ++i) ++it;
  return *it;
}

std::optional<Value> Value::find(std::string_view key) const {
  for (const Member& member : members()) {
    if (member.key == key) return member.value();
  }
  return std::nullopt;
}

std::optional<Value> Value::findPath(std::string_view keyPath) const {
  Value current = *this;
  for (;;) {
    const std::size_t dot = keyPath.find('.');
    std::optional<Value> found = current.find(keyPath.substr(0, dot));
    if (!found || dot == std::string_view::npos) return found;
    current = *found;
    keyPath.remove_prefix(dot + 1);
  }
}

}  // namespace json
