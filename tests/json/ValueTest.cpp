// Reading a parsed document the way the object mapper does: kinds, numbers, lookups, walks.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "json/Numbers.h"
#include "json/Parser.h"

namespace {

json::Document parsed(std::string_view text) {
  auto document = json::parse(text);
  EXPECT_TRUE(document.ok()) << document.error().message;
  return std::move(document).value();
}

TEST(ValueTest, NullMemberIsFoundAndAbsentMemberIsNot) {
  const json::Document document = parsed(R"({"a":null,"b":0})");
  const json::Value root = document.root();
  ASSERT_TRUE(root.find("a").has_value());
  EXPECT_TRUE(root.find("a")->isNull());
  EXPECT_FALSE(root.find("c").has_value());
  EXPECT_FALSE(root.find("").has_value());
}

TEST(ValueTest, IntegerKindsAndRanges) {
  const json::Document document =
      parsed("[4294967296,9223372036854775807,9223372036854775808,-9223372036854775808,18446744073709551615,1.5,-3]");
  const json::Value root = document.root();
  const auto v = [&](std::size_t i) { return *root.at(i); };

  EXPECT_EQ(v(0).type(), json::Type::Int);  // 2^32 stays an exact integer
  EXPECT_EQ(v(0).getInt64(), 4294967296);
  EXPECT_EQ(v(1).getInt64(), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(v(2).type(), json::Type::UInt);  // 2^63 only fits unsigned
  EXPECT_EQ(v(2).getUInt64(), std::uint64_t{1} << 63);
  EXPECT_FALSE(v(2).getInt64().has_value());
  EXPECT_EQ(v(3).getInt64(), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(v(4).getUInt64(), std::numeric_limits<std::uint64_t>::max());
  EXPECT_EQ(v(5).type(), json::Type::Double);
  EXPECT_EQ(v(5).getDouble(), 1.5);
  EXPECT_FALSE(v(5).getInt64().has_value());
  EXPECT_FALSE(v(6).getUInt64().has_value());
  EXPECT_EQ(v(6).getDouble(), -3.0);
  EXPECT_FALSE(root.at(7).has_value());
}

TEST(ValueTest, DoublesReadAsIntegersTruncateAndSaturate) {
  const json::Document document = parsed("[2.9,-2.9,1e300,-1e300,9223372036854775807.0]");
  std::vector<std::int64_t> values;
  for (const json::Value v : document.root().elements()) values.push_back(v.int64Value());
  EXPECT_EQ(values, (std::vector<std::int64_t>{2, -2, std::numeric_limits<std::int64_t>::max(),
                                               std::numeric_limits<std::int64_t>::min(),
                                               std::numeric_limits<std::int64_t>::max()}));
}

TEST(ValueTest, NumberTextIsExactForIntegersAndShortestForDoubles) {
  const json::Document document =
      parsed("[7,-9223372036854775808,18446744073709551615,3.5,0.1,1e21,1e-7,100.0,\"7\",true]");
  std::vector<std::string> texts;
  for (const json::Value v : document.root().elements()) texts.push_back(v.numberText());
  EXPECT_EQ(texts, (std::vector<std::string>{"7", "-9223372036854775808", "18446744073709551615", "3.5", "0.1", "1e+21",
                                             "1e-07", "100", "", ""}));
}

TEST(ValueTest, ShortestDoubleReadsBack) {
  for (const double d : {0.1, 1.0 / 3.0, 2.5e-308, 1.7976931348623157e308, -0.0, 123456789.125}) {
    EXPECT_EQ(std::stod(json::shortestDouble(d)), d) << json::shortestDouble(d);
  }
  EXPECT_EQ(json::shortestDouble(0.1), "0.1");
}

TEST(ValueTest, WalksMembersAndElementsInOrderAcrossNestedContainers) {
  const json::Document document = parsed(R"({"z":[1,[2,{"x":3}],4],"a":{"b":{}},"m":"s","n":5.5,"z":true})");
  std::vector<std::string> keys;
  std::vector<json::Type> kinds;
  for (const json::Member& m : document.root().members()) {
    keys.emplace_back(m.key);
    kinds.push_back(m.value().type());
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"z", "a", "m", "n", "z"}));
  EXPECT_EQ(kinds, (std::vector<json::Type>{json::Type::Array, json::Type::Object, json::Type::String, json::Type::Double,
                                            json::Type::Bool}));
  EXPECT_EQ(document.root().size(), 5u);
  const json::Value z = *document.root().find("z");  // the first "z" wins
  ASSERT_TRUE(z.isArray());
  EXPECT_EQ(z.size(), 3u);
  std::vector<json::Type> elements;
  for (const json::Value e : z.elements()) elements.push_back(e.type());
  EXPECT_EQ(elements, (std::vector<json::Type>{json::Type::Int, json::Type::Array, json::Type::Int}));
  EXPECT_EQ(z.at(2)->getInt64(), 4);
}

TEST(ValueTest, DottedKeyPaths) {
  const json::Document document = parsed(R"({"user":{"address":{"city":"Lyon"},"n":null},"list":[1]})");
  const json::Value root = document.root();
  EXPECT_EQ(root.findPath("user.address.city")->getString(), "Lyon");
  EXPECT_TRUE(root.findPath("user.n")->isNull());
  EXPECT_FALSE(root.findPath("user.n.x").has_value());
  EXPECT_FALSE(root.findPath("user.missing").has_value());
  EXPECT_FALSE(root.findPath("list.0").has_value());
  EXPECT_TRUE(root.findPath("user")->isObject());
}

TEST(ValueTest, WrongKindReadsGiveNothing) {
  const json::Document document = parsed(R"(["s",true,null,{}])");
  const json::Value root = document.root();
  EXPECT_FALSE(root.at(0)->getDouble().has_value());
  EXPECT_FALSE(root.at(1)->getString().has_value());
  EXPECT_EQ(root.at(1)->getBool(), true);
  EXPECT_FALSE(root.at(2)->getBool().has_value());
  EXPECT_EQ(root.at(3)->size(), 0u);
  EXPECT_FALSE(root.at(0)->find("x").has_value());
  EXPECT_TRUE(root.at(0)->members().begin() == root.at(0)->members().end());
}

TEST(ValueTest, ViewsSurviveAMoveOfTheDocument) {
  json::Document first = parsed(R"({"name":"caf\u00e9"})");
  const json::Value name = *first.root().find("name");
  json::Document second = std::move(first);
  EXPECT_EQ(name.stringValue(), "caf\xC3\xA9");
  EXPECT_TRUE(first.root().isNull());
}

}  // namespace
