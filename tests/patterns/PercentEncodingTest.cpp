#include "patterns/PercentEncoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct EncodeCase {
  const char* name;
  std::string raw;
  std::string encoded;
};

// The row's name is what gtest prints for it, so that ctest lists the row by its name.
void PrintTo(const EncodeCase& row, std::ostream* out) { *out << row.name; }

class PercentEncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(PercentEncodeTest, EncodesAndDecodesBack) {
  const EncodeCase& c = GetParam();
  EXPECT_EQ(patterns::percentEncode(c.raw), c.encoded);
  EXPECT_EQ(patterns::percentDecode(c.encoded), c.raw);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PercentEncodeTest,
    testing::Values(
        EncodeCase{"Unreserved", "AZaz09-._~", "AZaz09-._~"},
        EncodeCase{"Space", "cam 1", "cam%201"},
        EncodeCase{"Slash", "a/b", "a%2Fb"},
        EncodeCase{"ExtraSet", "!*'();:@&=+$,/?%#[]", "%21%2A%27%28%29%3B%3A%40%26%3D%2B%24%2C%2F%3F%25%23%5B%5D"},
        EncodeCase{"NeverLegal", "\"<>\\^`{|}", "%22%3C%3E%5C%5E%60%7B%7C%7D"},
        EncodeCase{"Controls", std::string("\x01\n\x7f", 3), "%01%0A%7F"},
        EncodeCase{"NulByte", std::string("a\0b", 3), "a%00b"},
        EncodeCase{"TwoByteUtf8", "\xC3\xA9t\xC3\xA9", "%C3%A9t%C3%A9"},
        EncodeCase{"FourByteUtf8", "\xF0\x9F\x8F\xA0", "%F0%9F%8F%A0"},
        EncodeCase{"Empty", "", ""}));

TEST(PercentDecodeTest, AcceptsLowerCaseHex) {
  EXPECT_EQ(patterns::percentDecode("%c3%a9"), "\xC3\xA9");
}

TEST(PercentDecodeTest, RefusesBrokenEscapes) {
  for (const char* broken : {"%", "%2", "a%zz", "%G0", "abc%4"}) {
    EXPECT_FALSE(patterns::percentDecode(broken).has_value()) << broken;
  }
}

}  // namespace
