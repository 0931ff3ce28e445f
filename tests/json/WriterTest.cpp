// The streaming writer used by code that writes JSON without building a tree first.
#include "json/Writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "json/Errors.h"

namespace {

TEST(WriterTest, PlacesCommasAndColonsThroughNesting) {
  json::Writer writer;
  writer.startObject();
  writer.key("a");
  writer.startArray();
  writer.int64(1);
  writer.startObject();
  writer.endObject();
  writer.startArray();
  writer.endArray();
  writer.string("x");
  writer.endArray();
  writer.key("b");
  writer.null();
  writer.key("c");
  writer.startObject();
  writer.key("d");
  writer.boolean(false);
  writer.key("e");
  writer.uint64(18446744073709551615ULL);
  writer.endObject();
  writer.key("f");
  writer.number(0.5);
  writer.endObject();
  EXPECT_EQ(writer.finish().value(), R"({"a":[1,{},[],"x"],"b":null,"c":{"d":false,"e":18446744073709551615},"f":0.5})");
}

TEST(WriterTest, GrowsPastItsFirstBuffer) {
  json::Writer writer(1);
  writer.startArray();
  std::string expected = "[";
  for (int i = 0; i < 5000; ++i) {
    writer.string("\"quoted\" \xC3\xA9");
    expected += std::string(i ? "," : "") + R"("\"quoted\" )" + "\xC3\xA9\"";
  }
  writer.endArray();
  expected += "]";
  EXPECT_EQ(writer.finish().value(), expected);
}

TEST(WriterTest, FirstFaultIsReportedAtTheEnd) {
  json::Writer writer;
  writer.startArray();
  writer.number(std::nan(""));
  writer.string("\xFF");
  writer.endArray();
  auto text = writer.finish();
  ASSERT_FALSE(text.ok());
  EXPECT_EQ(text.error().code, json::kErrorNotFinite);

  json::Writer unchecked(64, false);
  unchecked.startArray();
  unchecked.string("\xFF");  // the caller vouched for its strings
  unchecked.endArray();
  EXPECT_EQ(unchecked.finish().value(), "[\"\xFF\"]");
}

}  // namespace
