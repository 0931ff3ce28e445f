// The number fast paths against the standard library's exact conversions, on many values.
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <string>

#include "json/Numbers.h"
#include "json/Parser.h"

namespace {

std::string reference17(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
  return std::string(buffer, result.ptr);
}

std::string formatted17(double value) {
  char buffer[json::kMaxDoubleText];
  return std::string(buffer, json::formatDouble17(value, buffer));
}

TEST(NumbersTest, SeventeenDigitFormatMatchesPrintfRules) {
  for (const double d : {0.1, 1.5, 3.0, -0.0, 0.0, 1e300, 5e-324, 123456.789, 1e21, 1e17, 1e16, 99999999999999999.0,
                         9.9999999999999995e-5, 1e-4, 1e-5, 0.30000000000000004, 2.2250738585072014e-308,
                         1.7976931348623157e308, -45.764043, 4.835659}) {
    EXPECT_EQ(formatted17(d), reference17(d)) << reference17(d);
  }
  std::mt19937_64 random(20240607);
  for (int i = 0; i < 300000; ++i) {
    const std::uint64_t bits = random();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (d != d || d - d != 0) continue;  // NaN, infinities
    ASSERT_EQ(formatted17(d), reference17(d));
    const double coordinate = static_cast<double>(static_cast<std::int64_t>(random() % 400'000'000) - 200'000'000) / 1e6;
    ASSERT_EQ(formatted17(coordinate), reference17(coordinate));
  }
}

TEST(NumbersTest, ParsedDoublesMatchTheCorrectlyRoundedValue) {
  // Random decimal texts of 1 to 20 digits, with and without exponents, through the parser's
  // fast paths and its fallback; the reference is std::from_chars.
  std::mt19937_64 random(1234);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 20);
    std::string number;
    for (int d = 0; d < digits; ++d) number += static_cast<char>('0' + random() % 10);
    while (number.size() > 1 && number[0] == '0') number.erase(0, 1);
    if (random() % 4 == 0) {
      number = "0." + std::string(random() % 12, '0') + number;  // zeros before the first significant digit
    } else {
      const std::size_t point = random() % (number.size() + 1);
      if (point > 0 && point < number.size()) number.insert(point, ".");
      else number += ".5";
    }
    if (random() % 3 == 0) number += "e" + std::to_string(static_cast<int>(random() % 70) - 35);
    if (random() % 2) number.insert(0, "-");

    auto document = json::parse("[" + number + "]");
    ASSERT_TRUE(document.ok()) << number;
    double expected;
    std::from_chars(number.data(), number.data() + number.size(), expected);
    const double parsed = document.value().root().at(0)->doubleValue();
    ASSERT_EQ(std::memcmp(&parsed, &expected, sizeof parsed), 0) << number;
  }
}

TEST(NumbersTest, HalfwayCasesRoundToEven) {
  // 2^53 + 1 and 2^53 + 3 lie exactly between two doubles.
  auto document = json::parse("[9007199254740993.0,9007199254740995.0,1.00000000000000011102230246251565404236316680908203125]");
  ASSERT_TRUE(document.ok());
  const json::Value root = document.value().root();
  EXPECT_EQ(root.at(0)->doubleValue(), 9007199254740992.0);
  EXPECT_EQ(root.at(1)->doubleValue(), 9007199254740996.0);
  EXPECT_EQ(root.at(2)->doubleValue(), 1.0);
}

}  // namespace
