#include "backend/StillImageDecoder.h"

#include <gtest/gtest.h>

using backend::camera::decodeStillImageBase64;

TEST(StillImageDecoder, DecodesTheAlphabetSkippingWhiteSpaceAndPadding) {
  struct Case {
    const char* text;
    QByteArray expected;
  };
  const Case cases[] = {
      {"", QByteArray()},
      {"aGVsbG8=", "hello"},
      {"aGVsbG8", "hello"},                 // padding is optional
      {"aGVs\r\n bG8=\t", "hello"},         // white space anywhere
      {"aG=Vs=bG8", "hello"},               // "=" is skipped wherever it stands
      {"TWFu", "Man"},
      {"TWE=", "Ma"},
      {"+/+/", QByteArray("\xfb\xff\xbf", 3)},
      {"AAAA", QByteArray(3, '\0')},
      {" \n=", QByteArray()},                // nothing but skipped characters
  };
  for (const Case& c : cases) {
    const auto decoded = decodeStillImageBase64(c.text);
    ASSERT_TRUE(decoded.has_value()) << c.text;
    EXPECT_EQ(*decoded, c.expected) << c.text;
  }
}

TEST(StillImageDecoder, RefusesForeignCharactersAndALoneFinalSymbol) {
  for (const char* text : {"aGVs*bG8=", "aGVsbG8-", "aGVs_bG8", "TWFu\nQ===", "Q", "QUJDR", "aGVs\x80", "aGVs.bG8"})
    EXPECT_FALSE(decodeStillImageBase64(text).has_value()) << text;
  // A zero byte is outside the alphabet too, not an end of text.
  EXPECT_FALSE(decodeStillImageBase64(std::string_view("aGVs\0bG8=", 9)).has_value());
}

TEST(StillImageDecoder, RoundTripsEveryByteValue) {
  QByteArray all;
  for (int i = 0; i < 256; ++i) all.append(static_cast<char>(i));
  for (int cut = 0; cut < 4; ++cut) {
    const QByteArray bytes = all.left(all.size() - cut);
    const QByteArray text = bytes.toBase64(QByteArray::OmitTrailingEquals);
    const auto decoded = decodeStillImageBase64(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, bytes);
  }
}
