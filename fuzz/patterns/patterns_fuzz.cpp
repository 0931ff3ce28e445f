// Pattern parse + interpolate + match. The input's first line is the pattern, the rest is the
// value given to every parameter. With distinct parameter names and a non-empty value, the
// interpolated path must match the pattern again and give back that value for every name.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "patterns/PathPattern.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  const std::string_view patternText = input.substr(0, newline);
  const std::string value(newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1));

  auto pattern = patterns::PathPattern::parse(patternText);
  if (!pattern.ok()) return 0;
  auto path = pattern.value().interpolate([&value](std::string_view) { return std::optional<std::string>(value); });
  if (!path.ok()) std::abort();  // every parameter has a value
  const auto names = pattern.value().parameterNames();
  auto withoutValues = pattern.value().interpolate([](std::string_view) { return std::optional<std::string>(); }, false);
  if (withoutValues.ok() != names.empty()) std::abort();  // a missing value is always reported

  const std::set<std::string> distinct(names.begin(), names.end());
  const auto matched = pattern.value().match(path.value());
  if (!value.empty() && distinct.size() == names.size()) {
    if (!matched) {
      std::fprintf(stderr, "interpolated path does not match: %s\n", path.value().c_str());
      std::abort();
    }
    if (matched->size() != names.size()) std::abort();
  }
  return 0;
}
