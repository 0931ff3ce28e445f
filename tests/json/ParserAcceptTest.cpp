// Documents the parser accepts, checked through what they serialize back to.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "json/Parser.h"
#include "json/Serializer.h"

namespace {

struct AcceptCase {
  const char* name;
  std::string text;
  std::string written;  // compact form written back
};

// The row's name is what gtest prints for it, so that ctest lists the row by its name.
void PrintTo(const AcceptCase& row, std::ostream* out) { *out << row.name; }

class ParserAcceptTest : public testing::TestWithParam<AcceptCase> {};

TEST_P(ParserAcceptTest, ParsesAndWritesBack) {
  const AcceptCase& c = GetParam();
  auto document = json::parse(c.text);
  ASSERT_TRUE(document.ok()) << document.error().message;
  auto written = json::serialize(document.value().root());
  ASSERT_TRUE(written.ok()) << written.error().message;
  EXPECT_EQ(written.value(), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParserAcceptTest,
    testing::Values(
        AcceptCase{"EmptyArray", "[]", "[]"},
        AcceptCase{"EmptyObject", "{}", "{}"},
        AcceptCase{"WhiteSpaceEverywhere", " \t\r\n{ \"a\" : [ 1 , true ,\nnull ] } \n", R"({"a":[1,true,null]})"},
        AcceptCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF[1]", "[1]"},
        AcceptCase{"MemberOrderKept", R"({"z":1,"a":2,"m":3})", R"({"z":1,"a":2,"m":3})"},
        AcceptCase{"DuplicateKeysKept", R"({"a":1,"a":2})", R"({"a":1,"a":2})"},
        AcceptCase{"Nested", R"([[[]],{"a":{"b":[{}]}}])", R"([[[]],{"a":{"b":[{}]}}])"},
        AcceptCase{"Literals", "[true,false,null]", "[true,false,null]"},
        AcceptCase{"Integers", "[0,-1,42,1152921504606846975,-1152921504606846976]",
                   "[0,-1,42,1152921504606846975,-1152921504606846976]"},
        AcceptCase{"BeyondSmallInts", "[1152921504606846976,-1152921504606846977]",
                   "[1152921504606846976,-1152921504606846977]"},
        AcceptCase{"Int64Limits", "[9223372036854775807,-9223372036854775808]",
                   "[9223372036854775807,-9223372036854775808]"},
        AcceptCase{"UInt64Range", "[9223372036854775808,18446744073709551615]",
                   "[9223372036854775808,18446744073709551615]"},
        AcceptCase{"BeyondUInt64IsDouble", "[18446744073709551616,-9223372036854775809]",
                   "[1.8446744073709552e+19,-9.2233720368547758e+18]"},
        AcceptCase{"Doubles", "[1.5,-0.25,1e2,1E+2,2.5e-3,0.1]",
                   "[1.5,-0.25,100,100,0.0025000000000000001,0.10000000000000001]"},
        AcceptCase{"NegativeZero", "[-0,-0.0,0.0]", "[-0,-0,0]"},
        AcceptCase{"UnderflowIsZero", "[1e-400,-1e-400,0.0000e999999]", "[0,-0,0]"},
        AcceptCase{"LongMantissa", "[3.14159265358979323846264338327950288]", "[3.1415926535897931]"},
        AcceptCase{"SimpleEscapes", R"(["\"\\\/\b\f\n\r\t"])", R"(["\"\\/\b\f\n\r\t"])"},
        AcceptCase{"UnicodeEscapes", R"(["\u0041\u00e9\u20AC\ud83c\udfe0"])", "[\"A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8F\xA0\"]"},
        AcceptCase{"EscapedNul", R"(["a\u0000b"])", R"(["a\u0000b"])"},
        AcceptCase{"Utf8Boundaries", "[\"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\"]",
                   "[\"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\"]"},
        AcceptCase{"DeleteCharacterRaw", "[\"\x7F\"]", "[\"\x7F\"]"},
        AcceptCase{"LongAsciiAcrossBlocks", "[\"" + std::string(100, 'x') + "\\n" + std::string(37, 'y') + "\"]",
                   "[\"" + std::string(100, 'x') + "\\n" + std::string(37, 'y') + "\"]"},
        AcceptCase{"NullInsideObject", R"({"a":null})", R"({"a":null})"}));

TEST(ParserTest, ManyDistinctAndRepeatedStringsKeepTheirText) {
  // More distinct keys and short values than the string cache has slots, with repeats,
  // so that evictions, hash collisions and reuse all happen.
  std::string text = "[";
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 3000; ++i) {
      text += "{\"k" + std::to_string(i) + "\":\"v" + std::to_string(i % 700) + "\",\"same\":\"" +
              std::string(static_cast<std::size_t>(i % 12), 'z') + "\"},";
    }
  }
  text.back() = ']';
  auto document = json::parse(text);
  ASSERT_TRUE(document.ok()) << document.error().message;
  EXPECT_EQ(json::serialize(document.value().root()).value(), text);
}

TEST(ParserTest, VeryLongStringKeepsItsLength) {
  // Past 2^24 bytes a string's length no longer fits its tape word.
  const std::string body(std::size_t{1} << 24, 'a');
  auto document = json::parse("[\"" + body + "\",\"after\"]");
  ASSERT_TRUE(document.ok());
  const json::Value root = document.value().root();
  EXPECT_EQ(root.at(0)->stringValue().size(), body.size());
  EXPECT_EQ(root.at(0)->stringValue(), body);
  EXPECT_EQ(root.at(1)->stringValue(), "after");
}

TEST(ParserTest, LargeDocumentsOfUnlikeShapesOneAfterAnother) {
  // Block sizes follow the previous large document of the thread: after one made of numbers,
  // the string buffer starts far too small for one made of strings and grows mid-string, in
  // the middle of escapes and multi-byte characters; then the tape is too small for numbers.
  std::string numbers = "[";
  for (int i = 0; i < 40000; ++i) numbers += std::to_string(i % 10) + ",";
  numbers.back() = ']';
  std::string text = "[";
  std::string expected = "[";
  for (int i = 0; i < 3000; ++i) {
    const std::string run(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26));
    text += "\"" + run + "D\\u00e9tecteur \xF0\x9F\x8F\xA0 fum\\u00E9e\\n" + run + "\\ud83c\\udfe0\",";
    expected += "\"" + run + "D\xC3\xA9tecteur \xF0\x9F\x8F\xA0 fum\xC3\xA9" "e\\n" + run + "\xF0\x9F\x8F\xA0\",";
  }
  text.back() = ']';
  expected.back() = ']';
  for (const std::string* input : {&numbers, &text, &numbers, &text}) {
    auto document = json::parse(*input);
    ASSERT_TRUE(document.ok()) << document.error().message;
    EXPECT_EQ(json::serialize(document.value().root()).value(), input == &text ? expected : numbers);
  }
}

TEST(ParserTest, ServiceShapedDocumentStaysSmall) {
  // Arrays of records are the common answer; the document must cost at most 1.5 times the text.
  std::string text = "{\"devices\":[";
  for (int i = 0; i < 5000; ++i) {
    text += "{\"id\":" + std::to_string(1000 + i) + ",\"serial\":\"" + std::to_string(100000000000 + i * 7919) +
            "\",\"name\":\"D\xC3\xA9tecteur " + std::to_string(i % 13) + "\",\"status\":\"" + (i % 2 ? "ON" : "OFF") +
            "\",\"batteryLevel\":" + std::to_string(i % 100) + ",\"alive\":true},";
  }
  text.back() = ']';
  text += '}';
  auto document = json::parse(text);
  ASSERT_TRUE(document.ok());
  EXPECT_LE(static_cast<double>(document.value().memoryUsage()), 1.5 * static_cast<double>(text.size()));
}

TEST(ParserTest, ParsesOnSeveralThreadsAtOnce) {
  std::string text = "[";
  for (int i = 0; i < 2000; ++i) text += "{\"n\":" + std::to_string(i) + ",\"s\":\"x" + std::to_string(i) + "\"},";
  text.back() = ']';
  std::vector<std::string> outputs(4);
  std::vector<std::thread> threads;
  for (auto& output : outputs) {
    threads.emplace_back([&text, &output] {
      for (int i = 0; i < 20; ++i) output = json::serialize(json::parse(text).value().root()).value();
    });
  }
  for (auto& thread : threads) thread.join();
  for (const auto& output : outputs) EXPECT_EQ(output, text);
}

}  // namespace
