#pragma once
// Resource-path patterns such as "/gateway/:subCategory/mode/;jsessionid=:session".
//
// Syntax: a ":" followed by one or more name characters (ASCII letters, digits, ".", "@", "_")
// is a parameter; the name may be a dotted key path ("owner.id"). A backslash makes the next
// character literal ("\:" is a colon, "\\" a backslash). A ":" not followed by a name character
// is literal text, and so is everything else (";jsessionid=" included).
//
// A parsed pattern is immutable and may be shared between threads.
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Result.h"

namespace patterns {

inline constexpr const char* kPatternErrorDomain = "org.tavrobox.patterns";

enum PatternErrorCode {
  kPatternEmpty = 1,
  kPatternDanglingEscape = 2,
  kPatternMissingValue = 3,
};

struct Segment {
  enum class Kind { Literal, Parameter };
  Kind kind = Kind::Literal;
  std::string text;  // the literal text (escapes removed), or the parameter's name

  bool operator==(const Segment&) const = default;
};

class PathPattern {
 public:
  // Gives the value of a parameter by name, or nothing when the source has no value for it.
  using ValueSource = std::function<std::optional<std::string>(std::string_view name)>;
  using Parameters = std::map<std::string, std::string, std::less<>>;

  // Errors: kPatternEmpty for "" (with the router's message), kPatternDanglingEscape for a
  // pattern ending in a lone backslash; the offset is the byte position of the fault.
  static foundation::Result<PathPattern> parse(std::string_view pattern);

  // Replaces every parameter by its value from `values`, percent-encoded (see PercentEncoding.h)
  // when `addEscapes` is on; literal text is copied as is. A parameter without a value is an
  // error (kPatternMissingValue) rather than a path with a hole or a made-up placeholder in it.
  foundation::Result<std::string> interpolate(const ValueSource& values, bool addEscapes = true) const;

  // Matches a concrete path (no query string) against the pattern. A parameter matches a
  // non-empty run of characters without "/" (values are percent-encoded, so a real value never
  // holds one), choosing the shortest run that lets the rest of the pattern match. Returns the
  // percent-decoded values by name, or nothing when the path does not match or holds a broken
  // "%" escape. A name used twice must match the same value both times.
  std::optional<Parameters> match(std::string_view path) const;

  const std::string& source() const { return m_source; }
  const std::vector<Segment>& segments() const { return m_segments; }
  std::vector<std::string> parameterNames() const;

 private:
  PathPattern() = default;

  std::string m_source;
  std::vector<Segment> m_segments;
};

// The message of the error for an empty pattern, as the router reports it.
inline constexpr const char* kEmptyPatternMessage =
    "Pattern string must not be empty in order to create a path from an interpolated object.";

}  // namespace patterns
