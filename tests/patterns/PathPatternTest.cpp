#include "patterns/PathPattern.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

namespace {

using patterns::PathPattern;
using patterns::Segment;
using Values = std::map<std::string, std::string, std::less<>>;

PathPattern::ValueSource from(const Values& values) {
  return [&values](std::string_view name) -> std::optional<std::string> {
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

PathPattern parsed(std::string_view text) {
  auto result = PathPattern::parse(text);
  EXPECT_TRUE(result.ok()) << text;
  return result.value();
}

TEST(PathPatternParseTest, SplitsLiteralsAndParameters) {
  using K = Segment::Kind;
  EXPECT_EQ(parsed("/gateway/:subCategory/mode/;jsessionid=:session").segments(),
            (std::vector<Segment>{{K::Literal, "/gateway/"},
                                  {K::Parameter, "subCategory"},
                                  {K::Literal, "/mode/;jsessionid="},
                                  {K::Parameter, "session"}}));
  // Name characters include ".", "@" and "_" (key paths); the name stops at anything else.
  EXPECT_EQ(parsed("/x/:owner.id_2@a-b").parameterNames(), (std::vector<std::string>{"owner.id_2@a"}));
  // Escaped colons, a colon before a non-name character and a trailing colon are literal.
  EXPECT_EQ(parsed("/a\\:b/c:/d:").segments(), (std::vector<Segment>{{K::Literal, "/a:b/c:/d:"}}));
  EXPECT_EQ(parsed("\\\\:id").segments(),
            (std::vector<Segment>{{K::Literal, "\\"}, {K::Parameter, "id"}}));
  EXPECT_EQ(parsed(":a:b").parameterNames(), (std::vector<std::string>{"a", "b"}));
}

TEST(PathPatternParseTest, RejectsEmptyAndDanglingEscape) {
  auto empty = PathPattern::parse("");
  ASSERT_FALSE(empty.ok());
  EXPECT_EQ(empty.error().code, patterns::kPatternEmpty);
  EXPECT_EQ(empty.error().message,
            "Pattern string must not be empty in order to create a path from an interpolated object.");

  auto dangling = PathPattern::parse("/device\\");
  ASSERT_FALSE(dangling.ok());
  EXPECT_EQ(dangling.error().code, patterns::kPatternDanglingEscape);
  EXPECT_EQ(dangling.error().offset, 7);
}

struct InterpolateCase {
  const char* name;
  const char* pattern;
  Values values;
  std::string expected;
};

// The row's name is what gtest prints for it, so that ctest lists the row by its name.
void PrintTo(const InterpolateCase& row, std::ostream* out) { *out << row.name; }

class PathPatternInterpolateTest : public testing::TestWithParam<InterpolateCase> {};

TEST_P(PathPatternInterpolateTest, BuildsThePath) {
  const auto& c = GetParam();
  auto path = parsed(c.pattern).interpolate(from(c.values));
  ASSERT_TRUE(path.ok()) << path.error().message;
  EXPECT_EQ(path.value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathPatternInterpolateTest,
    testing::Values(
        InterpolateCase{"SerialWithSpace", "/video/image/start/:serial;jsessionid=:session",
                        {{"serial", "cam 1"}, {"session", "S1"}},
                        "/video/image/start/cam%201;jsessionid=S1"},
        InterpolateCase{"TrailingSlashKept", "/gateway/:subCategory/mode/;jsessionid=:session",
                        {{"subCategory", "INTRUSION"}, {"session", "abc"}},
                        "/gateway/INTRUSION/mode/;jsessionid=abc"},
        InterpolateCase{"SlashInValue", "/favorite/:id/start", {{"id", "a/b"}}, "/favorite/a%2Fb/start"},
        InterpolateCase{"DelimitersInValue", "/x/:id", {{"id", "a;b=c?d#e"}}, "/x/a%3Bb%3Dc%3Fd%23e"},
        InterpolateCase{"NonAscii", "/x/:name", {{"name", "Salle \xC3\xA0 manger"}},
                        "/x/Salle%20%C3%A0%20manger"},
        InterpolateCase{"EmptyValue", "/x/:id/y", {{"id", ""}}, "/x//y"},
        InterpolateCase{"KeyPathName", "/x/:owner.id", {{"owner.id", "7"}}, "/x/7"},
        InterpolateCase{"NoParameters", "/auth", {}, "/auth"},
        InterpolateCase{"SameNameTwice", "/:id/:id", {{"id", "1"}}, "/1/1"}));

TEST(PathPatternInterpolateTest, WithoutEscapesCopiesValues) {
  Values values{{"serial", "a b/c"}};
  EXPECT_EQ(parsed("/v/:serial").interpolate(from(values), false).value(), "/v/a b/c");
}

TEST(PathPatternInterpolateTest, MissingValueIsAnError) {
  Values values{{"id", "1"}};
  auto path = parsed("/favorite/:id/start;jsessionid=:session").interpolate(from(values));
  ASSERT_FALSE(path.ok());
  EXPECT_EQ(path.error().code, patterns::kPatternMissingValue);
  EXPECT_NE(path.error().message.find("session"), std::string::npos);
}

struct MatchCase {
  const char* name;
  const char* pattern;
  const char* path;
  std::optional<Values> expected;
};

// The row's name is what gtest prints for it, so that ctest lists the row by its name.
void PrintTo(const MatchCase& row, std::ostream* out) { *out << row.name; }

class PathPatternMatchTest : public testing::TestWithParam<MatchCase> {};

TEST_P(PathPatternMatchTest, ExtractsParameters) {
  const auto& c = GetParam();
  EXPECT_EQ(parsed(c.pattern).match(c.path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathPatternMatchTest,
    testing::Values(
        MatchCase{"Mode", "/gateway/:subCategory/mode/;jsessionid=:session",
                  "/gateway/INTRUSION/mode/;jsessionid=abc",
                  Values{{"subCategory", "INTRUSION"}, {"session", "abc"}}},
        MatchCase{"Decoded", "/video/start/:serial;jsessionid=:session",
                  "/video/start/cam%201%2F%C3%A9;jsessionid=S%3B1",
                  Values{{"serial", "cam 1/\xC3\xA9"}, {"session", "S;1"}}},
        MatchCase{"LiteralOnly", "/dashboard", "/dashboard", Values{}},
        MatchCase{"LiteralMismatch", "/dashboard", "/dashboards", std::nullopt},
        MatchCase{"MissingSession", "/device/status;jsessionid=:session", "/device/status", std::nullopt},
        MatchCase{"EmptyParameter", "/favorite/:id/start", "/favorite//start", std::nullopt},
        MatchCase{"ParameterNeverSpansSlash", "/favorite/:id/start", "/favorite/1/2/start", std::nullopt},
        MatchCase{"BrokenEscape", "/x/:id", "/x/%zz", std::nullopt},
        MatchCase{"ShortestRunThatFits", "/:a-:b", "/x-y-z", Values{{"a", "x"}, {"b", "y-z"}}},
        MatchCase{"BacktracksPastLiteralInValue", "/:a;s=:b", "/x;y;s=1", Values{{"a", "x;y"}, {"b", "1"}}},
        MatchCase{"AdjacentParametersSplitBetweenEscapes", "/:a:b", "/%3Ab%3Ab",
                  Values{{"a", ":"}, {"b", "b:b"}}},
        MatchCase{"SameNameSameValue", "/:id/:id", "/1/1", Values{{"id", "1"}}},
        MatchCase{"SameNameOtherValue", "/:id/:id", "/1/2", std::nullopt}));

TEST(PathPatternMatchTest, InterpolatedPathMatchesBack) {
  const PathPattern pattern = parsed("/device/camera/:serial/command;jsessionid=:session");
  const Values values{{"serial", "a/b c%d\xE2\x82\xAC!*'()"}, {"session", "x:y@z"}};
  auto path = pattern.interpolate(from(values));
  ASSERT_TRUE(path.ok());
  EXPECT_EQ(pattern.match(path.value()), values);
}

TEST(PathPatternMatchTest, AdjacentParametersMatchTheirInterpolation) {
  const PathPattern pattern = parsed(":a:b");
  const Values values{{"a", ":b\nvv"}, {"b", ":b\nvv"}};
  auto path = pattern.interpolate(from(values));
  ASSERT_TRUE(path.ok());
  const auto matched = pattern.match(path.value());
  ASSERT_TRUE(matched.has_value()) << path.value();
  EXPECT_EQ(pattern.interpolate(from(*matched)).value(), path.value());
}

TEST(PathPatternMatchTest, ManyAdjacentParametersStayFast) {
  // 30 adjacent parameters over a long path that cannot match: remembered failures keep this
  // polynomial; without them this would not finish.
  std::string text;
  for (int i = 0; i < 30; ++i) text += ":p" + std::to_string(i);
  text += "!";
  EXPECT_FALSE(parsed(text).match(std::string(200, 'a')).has_value());
}

}  // namespace
