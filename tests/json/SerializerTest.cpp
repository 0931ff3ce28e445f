// What the writer produces for built values, and the faults it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "json/Errors.h"
#include "json/MutableValue.h"
#include "json/Parser.h"
#include "json/Serializer.h"

namespace {

using json::MutableValue;

struct WriteCase {
  const char* name;
  MutableValue value;
  std::string written;
};

// The row's name is what gtest prints for it, so that ctest lists the row by its name.
void PrintTo(const WriteCase& row, std::ostream* out) { *out << row.name; }

class SerializerWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(SerializerWriteTest, WritesCompactText) {
  auto written = json::serialize(GetParam().value);
  ASSERT_TRUE(written.ok()) << written.error().message;
  EXPECT_EQ(written.value(), GetParam().written);
}

MutableValue object(std::initializer_list<std::pair<const char*, MutableValue>> members) {
  MutableValue value = MutableValue::object();
  for (const auto& [key, member] : members) value.set(key, member);
  return value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SerializerWriteTest,
    testing::Values(
        WriteCase{"Null", MutableValue(), "null"},
        WriteCase{"Booleans", MutableValue(MutableValue::Array{true, false}), "[true,false]"},
        WriteCase{"Integers", MutableValue(MutableValue::Array{0, -1, std::numeric_limits<std::int64_t>::min(),
                                                               std::numeric_limits<std::uint64_t>::max()}),
                  "[0,-1,-9223372036854775808,18446744073709551615]"},
        WriteCase{"SeventeenDigits", MutableValue(MutableValue::Array{0.1, 1.5, 3.0, -0.0, 1e300, 5e-324, 123456.789}),
                  "[0.10000000000000001,1.5,3,-0,1.0000000000000001e+300,4.9406564584124654e-324,123456.789]"},
        WriteCase{"QuoteAndBackslash", MutableValue("a\"b\\c"), R"("a\"b\\c")"},
        WriteCase{"SlashNotEscaped", MutableValue("</script>"), R"("</script>")"},
        WriteCase{"NamedControlEscapes", MutableValue("\b\f\n\r\t"), R"("\b\f\n\r\t")"},
        WriteCase{"OtherControlsAsUnicode", MutableValue(std::string("\x00\x01\x1f", 3)), R"("\u0000\u0001\u001f")"},
        WriteCase{"NonAsciiAsUtf8", MutableValue("D\xC3\xA9tecteur \xF0\x9F\x8F\xA0 \x7F"), "\"D\xC3\xA9tecteur \xF0\x9F\x8F\xA0 \x7F\""},
        WriteCase{"EscapesInLongText", MutableValue(std::string(20, 'a') + "\"" + std::string(20, 'b') + "\n" + std::string(3, 'c')),
                  "\"" + std::string(20, 'a') + "\\\"" + std::string(20, 'b') + "\\n" + "ccc\""},
        WriteCase{"KeysEscapedToo", object({{"a\"b", 1}}), R"({"a\"b":1})"},
        WriteCase{"InsertionOrder", object({{"z", 1}, {"a", MutableValue::array()}, {"m", MutableValue::object()}}),
                  R"({"z":1,"a":[],"m":{}})"},
        WriteCase{"SetReplacesInPlace", object({{"a", 1}, {"b", 2}, {"a", "x"}}), R"({"a":"x","b":2})"}));

TEST(SerializerTest, RefusesNonFiniteNumbers) {
  for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
    MutableValue body = MutableValue::object();
    body.set("ok", 1);
    body.set("bad", MutableValue::Array{1, bad});
    auto written = json::serialize(body);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().code, json::kErrorNotFinite);
    EXPECT_EQ(written.error().message, "Floating point values must be finite.  JSON does not support NaN or Infinity.");
  }
}

TEST(SerializerTest, RefusesTextThatIsNotUtf8) {
  MutableValue value;
  value.set("name", "caf\xE9");  // Latin-1, not UTF-8
  EXPECT_EQ(json::serialize(value).error().code, json::kErrorInvalidUtf8Output);
  MutableValue key;
  key.set("\xC0\xAF", 1);
  EXPECT_EQ(json::serialize(key).error().code, json::kErrorInvalidUtf8Output);
}

TEST(SerializerTest, RefusesNestingBeyondTheLimit) {
  MutableValue deep = MutableValue::array();
  for (int i = 0; i < json::kMaxDepth; ++i) deep = MutableValue(MutableValue::Array{std::move(deep)});
  auto written = json::serialize(deep);
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.error().code, json::kErrorTooDeepToWrite);
}

TEST(SerializerTest, ParsedAndBuiltCopiesWriteTheSame) {
  const std::string text =
      R"({"a":[1,-2,3.25,"x\n\u00e9",null,true,false,{"b":{}}],"c":18446744073709551615,"d":-0,"e":"\ud83c\udfe0"})";
  auto document = json::parse(text);
  ASSERT_TRUE(document.ok());
  const MutableValue copy = MutableValue::from(document.value().root());
  EXPECT_EQ(json::serialize(copy).value(), json::serialize(document.value().root()).value());
  EXPECT_EQ(copy.find("c")->getUInt64() != nullptr, true);
}

TEST(SerializerTest, TextRoundTripsThroughParser) {
  // Every double written with 17 digits reads back as the same double.
  MutableValue numbers = MutableValue::array();
  double d = 1.0;
  for (int i = 0; i < 200; ++i) {
    numbers.push(d);
    numbers.push(-d / 3.0);
    d *= 7.389056098930650;
  }
  const std::string text = json::serialize(numbers).value();
  auto document = json::parse(text);
  ASSERT_TRUE(document.ok());
  std::size_t i = 0;
  for (const json::Value v : document.value().root().elements()) {
    EXPECT_EQ(v.doubleValue(), *numbers.elements()[i].getDouble()) << i;
    ++i;
  }
}

}  // namespace
