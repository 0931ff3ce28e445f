#include "patterns/PathPattern.h"

#include <utility>

#include "patterns/PercentEncoding.h"

namespace patterns {

namespace {

using foundation::Error;

bool isNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '@' || c == '_';
}

bool isHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

void appendLiteral(std::vector<Segment>& segments, char c) {
  if (segments.empty() || segments.back().kind != Segment::Kind::Literal) {
    segments.push_back(Segment{Segment::Kind::Literal, {}});
  }
  segments.back().text.push_back(c);
}

// Backtracking matcher over (segment, position). Patterns hold a handful of segments, and a
// failed state is remembered so that adjacent parameters cannot make it exponential.
class Matcher {
 public:
  Matcher(const std::vector<Segment>& segments, std::string_view path)
      : m_segments(segments), m_path(path), m_failed(segments.size() * (path.size() + 1), false) {}

  bool run(std::size_t segment, std::size_t pos) {
    if (segment == m_segments.size()) return pos == m_path.size();
    const std::size_t key = segment * (m_path.size() + 1) + pos;
    if (m_failed[key]) return false;
    const Segment& s = m_segments[segment];
    if (s.kind == Segment::Kind::Literal) {
      if (m_path.substr(pos).starts_with(s.text) && run(segment + 1, pos + s.text.size())) return true;
    } else {
      // A value grows by whole characters: one byte, or one "%XX" escape, so that a capture
      // never ends inside an escape (a broken escape ends the run: it cannot be decoded).
      std::size_t end = pos;
      while (end < m_path.size() && m_path[end] != '/') {
        if (m_path[end] == '%') {
          if (end + 2 >= m_path.size() || !isHex(m_path[end + 1]) || !isHex(m_path[end + 2])) break;
          end += 3;
        } else {
          ++end;
        }
        m_captures.emplace_back(s.text, m_path.substr(pos, end - pos));
        if (run(segment + 1, end)) return true;
        m_captures.pop_back();
      }
    }
    m_failed[key] = true;
    return false;
  }

  std::vector<std::pair<std::string_view, std::string_view>>& captures() { return m_captures; }

 private:
  const std::vector<Segment>& m_segments;
  std::string_view m_path;
  std::vector<bool> m_failed;
  std::vector<std::pair<std::string_view, std::string_view>> m_captures;
};

}  // namespace

foundation::Result<PathPattern> PathPattern::parse(std::string_view pattern) {
  if (pattern.empty()) return Error{kPatternErrorDomain, kPatternEmpty, kEmptyPatternMessage, 0};
  PathPattern result;
  result.m_source = std::string(pattern);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '\\') {
      if (i + 1 == pattern.size()) {
        return Error{kPatternErrorDomain, kPatternDanglingEscape,
                     "The pattern ends with a backslash that escapes nothing.",
                     static_cast<std::int64_t>(i)};
      }
      appendLiteral(result.m_segments, pattern[++i]);
    } else if (c == ':' && i + 1 < pattern.size() && isNameChar(pattern[i + 1])) {
      std::size_t end = i + 1;
      while (end < pattern.size() && isNameChar(pattern[end])) ++end;
      result.m_segments.push_back(
          Segment{Segment::Kind::Parameter, std::string(pattern.substr(i + 1, end - i - 1))});
      i = end - 1;
    } else {
      appendLiteral(result.m_segments, c);
    }
  }
  return result;
}

foundation::Result<std::string> PathPattern::interpolate(const ValueSource& values,
                                                         bool addEscapes) const {
  std::string out;
  for (const Segment& s : m_segments) {
    if (s.kind == Segment::Kind::Literal) {
      out += s.text;
      continue;
    }
    std::optional<std::string> value = values ? values(s.text) : std::nullopt;
    if (!value) {
      return Error{kPatternErrorDomain, kPatternMissingValue,
                   "No value for the parameter '" + s.text + "' of the pattern '" + m_source + "'.", -1};
    }
    out += addEscapes ? percentEncode(*value) : *value;
  }
  return out;
}

std::optional<PathPattern::Parameters> PathPattern::match(std::string_view path) const {
  Matcher matcher(m_segments, path);
  if (!matcher.run(0, 0)) return std::nullopt;
  Parameters parameters;
  for (const auto& [name, raw] : matcher.captures()) {
    std::optional<std::string> value = percentDecode(raw);
    if (!value) return std::nullopt;
    auto [it, inserted] = parameters.try_emplace(std::string(name), *value);
    if (!inserted && it->second != *value) return std::nullopt;
  }
  return parameters;
}

std::vector<std::string> PathPattern::parameterNames() const {
  std::vector<std::string> names;
  for (const Segment& s : m_segments) {
    if (s.kind == Segment::Kind::Parameter) names.push_back(s.text);
  }
  return names;
}

}  // namespace patterns
