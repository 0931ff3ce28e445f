#include "json/Numbers.h"

#include <charconv>

namespace json {

std::string shortestDouble(double value) {
  char buffer[kMaxDoubleText];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::size_t formatDouble17(double value, char* out) {
  const auto result = std::to_chars(out, out + kMaxDoubleText, value, std::chars_format::general, 17);
  return static_cast<std::size_t>(result.ptr - out);
}

}  // namespace json
