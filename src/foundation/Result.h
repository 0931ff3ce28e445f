#pragma once
// Errors as values: an error domain, a code, a message and, where it helps, a position.
#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace foundation {

struct Error {
  std::string domain;
  int code = 0;
  std::string message;
  std::int64_t offset = -1;  // position in the input the error refers to, when there is one

  bool operator==(const Error&) const = default;
};

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : m_state(std::move(value)) {}  // NOLINT: implicit by design
  Result(Error error) : m_state(std::move(error)) {}  // NOLINT

  bool ok() const { return std::holds_alternative<T>(m_state); }
  explicit operator bool() const { return ok(); }

  const T& value() const& { return std::get<T>(m_state); }
  T& value() & { return std::get<T>(m_state); }
  T&& value() && { return std::get<T>(std::move(m_state)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }

  const Error& error() const { return std::get<Error>(m_state); }

 private:
  std::variant<T, Error> m_state;
};

// Result of an operation that gives nothing back but may fail.
struct Ok {};
using Status = Result<Ok>;

}  // namespace foundation
