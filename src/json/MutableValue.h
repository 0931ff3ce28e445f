#pragma once
// A JSON value built in code (request bodies, serialization mappings), as opposed to the
// read-only json::Value of a parsed document.
//
// Objects keep insertion order; set() replaces the value of an existing key in place, so a
// built object never holds a key twice. Values own their contents (deep copies on copy).
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "json/Value.h"

namespace json {

class MutableValue {
 public:
  using Array = std::vector<MutableValue>;
  using Member = std::pair<std::string, MutableValue>;
  using Object = std::vector<Member>;

  MutableValue() = default;  // null
  MutableValue(std::nullptr_t) {}
  MutableValue(bool value) : m_data(value) {}
  template <std::integral T>
    requires(!std::same_as<T, bool>)
  MutableValue(T value) {  // NOLINT: implicit like the other scalars
    if constexpr (std::is_signed_v<T>) {
      m_data = static_cast<std::int64_t>(value);
    } else {
      m_data = static_cast<std::uint64_t>(value);
    }
  }
  MutableValue(double value) : m_data(value) {}
  MutableValue(std::string value) : m_data(std::move(value)) {}
  MutableValue(std::string_view value) : m_data(std::string(value)) {}
  MutableValue(const char* value) : m_data(std::string(value)) {}
  MutableValue(Array value) : m_data(std::move(value)) {}
  MutableValue(Object value) : m_data(std::move(value)) {}

  static MutableValue array() { return MutableValue(Array{}); }
  static MutableValue object() { return MutableValue(Object{}); }
  // A deep copy of a parsed value.
  static MutableValue from(const Value& value);

  Type type() const;
  bool isNull() const { return std::holds_alternative<std::nullptr_t>(m_data); }
  bool isArray() const { return std::holds_alternative<Array>(m_data); }
  bool isObject() const { return std::holds_alternative<Object>(m_data); }

  // Scalars; nothing (nullptr) when the value is of another kind.
  const bool* getBool() const { return std::get_if<bool>(&m_data); }
  const std::int64_t* getInt64() const { return std::get_if<std::int64_t>(&m_data); }
  const std::uint64_t* getUInt64() const { return std::get_if<std::uint64_t>(&m_data); }
  const double* getDouble() const { return std::get_if<double>(&m_data); }
  const std::string* getString() const { return std::get_if<std::string>(&m_data); }

  // Containers; the object/array accessors turn a null value into an empty container first,
  // so `MutableValue body; body.set("a", 1);` builds {"a":1}. Used on a scalar they are a
  // programming error (std::bad_variant_access).
  const Array& elements() const { return std::get<Array>(m_data); }
  const Object& members() const { return std::get<Object>(m_data); }
  Array& elements();
  Object& members();
  std::size_t size() const;

  MutableValue& set(std::string key, MutableValue value);  // returns the stored value
  MutableValue& push(MutableValue value);                  // returns the stored value
  const MutableValue* find(std::string_view key) const;
  MutableValue* find(std::string_view key);
  bool erase(std::string_view key);

  bool operator==(const MutableValue& other) const = default;

 private:
  std::variant<std::nullptr_t, bool, std::int64_t, std::uint64_t, double, std::string, Array, Object> m_data;
};

}  // namespace json
