#pragma once
// Names for the rows of data-driven tests, so that ctest lists and filters read as the rows do.
#include <cctype>
#include <string>

namespace tbtest {

// "lift just past the edge" -> "lift_just_past_the_edge": letters and digits kept, every other
// run of characters one underscore, as GoogleTest wants its names.
inline std::string testNameFrom(const std::string& text) {
  std::string name;
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name;
}

}  // namespace tbtest
