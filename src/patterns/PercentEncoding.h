#pragma once
// Percent-encoding of path parameter values (UTF-8 bytes), and its inverse for routing.
#include <optional>
#include <string>
#include <string_view>

namespace patterns {

// Escapes every byte except the unreserved characters A-Z a-z 0-9 "-" "." "_" "~". That covers
// what is never legal in a URL (controls, space, non-ASCII bytes, "\"<>\\^`{|}") and the
// delimiters "!*'();:@&=+$,/?%#[]" as well, so a value can never change the shape of a path.
// Hex digits are upper case ("a b" -> "a%20b", "é" -> "%C3%A9").
std::string percentEncode(std::string_view value);

// Decodes "%XX" sequences (either case). A "%" not followed by two hex digits gives nothing:
// such a path was not produced by percentEncode and is refused rather than guessed at.
std::optional<std::string> percentDecode(std::string_view text);

}  // namespace patterns
