#include "json/RestJSONParser.h"

#include <gtest/gtest.h>

#include "json/Errors.h"

namespace {

TEST(RestJSONParserTest, EmptyContainersAndOrderRoundTrip) {
  const RestJSONParser parser;
  for (const char* text : {"[]", "{}", R"({"sessionId":"S1","user":{"login":"a"},"gateway":[{"serial":"X 1"}]})"}) {
    auto document = parser.objectFromStringError(text);
    ASSERT_TRUE(document.ok()) << text;
    EXPECT_EQ(parser.stringFromObjectError(document.value().root()).value(), text);
  }
}

TEST(RestJSONParserTest, ParseErrorsComeBackAsValues) {
  const RestJSONParser parser;
  auto document = parser.objectFromStringError("42");
  ASSERT_FALSE(document.ok());
  EXPECT_EQ(document.error().code, json::kErrorTopLevel);
  EXPECT_NE(document.error().message.find("Unable to parse JSON."), std::string::npos);
  EXPECT_NE(document.error().message.find("Expected either '[' or '{'."), std::string::npos);
}

TEST(RestJSONParserTest, WritesOnlyObjectsAndArrays) {
  const RestJSONParser parser;
  for (const json::MutableValue& scalar : {json::MutableValue(), json::MutableValue(42), json::MutableValue("s")}) {
    auto text = parser.stringFromObjectError(scalar);
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.error().code, json::kErrorTopLevelNotContainer);
  }
  json::MutableValue body;
  body.set("status", "ON");
  body.set("level", 0.1);
  EXPECT_EQ(parser.stringFromObjectError(body).value(), R"({"status":"ON","level":0.10000000000000001})");
}

}  // namespace
