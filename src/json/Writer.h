#pragma once
// Streaming writer of compact JSON text: the one place where output is formatted.
//
// Strings are written with escapes only for '"', '\\' and control characters (\b \f \n \r \t,
// others as \u00XX); every other character goes out as UTF-8, "/" included. Integers are
// written in decimal, doubles with 17 significant digits ("%.17g" in the C locale).
//
// The caller drives the structure (startObject, key, value, ..., endObject); commas and colons
// are placed by the writer. Faults are recorded, not thrown: the first one (a non-finite
// double, a string that is not UTF-8 when checking is on) makes finish() return an error.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/Result.h"

namespace json {

class Writer {
 public:
  // `checkUtf8`: refuse strings that are not well-formed UTF-8 (on for text built in code;
  // parsed documents are known to be valid and skip the check).
  explicit Writer(std::size_t sizeHint = 256, bool checkUtf8 = true);

  void startObject() { open('{'); }
  void endObject() { close('}'); }
  void startArray() { open('['); }
  void endArray() { close(']'); }
  void endObjectOrArray(bool object) { close(object ? '}' : ']'); }
  void key(std::string_view name);

  void null();
  void boolean(bool value);
  void int64(std::int64_t value);
  void uint64(std::uint64_t value);
  void number(double value);
  void string(std::string_view value);

  bool ok() const { return !m_error.has_value(); }
  // The text written, or the first fault.
  foundation::Result<std::string> finish();

 private:
  void open(char bracket);
  void close(char bracket);
  void separate() {
    if (m_needComma) put(',');
  }
  void put(char c) {
    reserve(1);
    *m_pos++ = c;
  }
  void reserve(std::size_t bytes) {
    if (static_cast<std::size_t>(m_limit - m_pos) < bytes) grow(bytes);
  }
  void grow(std::size_t bytes);
  void writeString(std::string_view text);
  void fail(int code, std::string message);

  std::string m_out;
  char* m_pos = nullptr;
  char* m_limit = nullptr;
  bool m_needComma = false;
  bool m_checkUtf8;
  std::optional<foundation::Error> m_error;
};

}  // namespace json
