// Documents the parser refuses: the error code, the message and where it points.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "json/Errors.h"
#include "json/Parser.h"

namespace {

struct RejectCase {
  const char* name;
  std::string text;
  int code;
  std::string message;  // whole message, position included
  std::int64_t offset;
};

// The row's name is what gtest prints for it, so that ctest lists the row by its name.
void PrintTo(const RejectCase& row, std::ostream* out) { *out << row.name; }

class ParserRejectTest : public testing::TestWithParam<RejectCase> {};

TEST_P(ParserRejectTest, ReportsTheFault) {
  const RejectCase& c = GetParam();
  auto document = json::parse(c.text);
  ASSERT_FALSE(document.ok());
  EXPECT_EQ(document.error().domain, json::kJsonErrorDomain);
  EXPECT_EQ(document.error().code, c.code);
  EXPECT_EQ(document.error().message, c.message);
  EXPECT_EQ(document.error().offset, c.offset);
}

std::string at(const std::string& what, int line, int character) {
  return "Unable to parse JSON. " + what + " (line " + std::to_string(line) + ", character " +
         std::to_string(character) + ")";
}

const std::string kEnd = "Reached the end of the buffer.";
const std::string kTop = "Expected either '[' or '{'.";

INSTANTIATE_TEST_SUITE_P(
    Structure, ParserRejectTest,
    testing::Values(
        RejectCase{"Empty", "", json::kErrorEndOfBuffer, at(kEnd, 1, 1), 0},
        RejectCase{"OnlyWhiteSpace", " \n ", json::kErrorEndOfBuffer, at(kEnd, 2, 2), 3},
        RejectCase{"BareNumber", "42", json::kErrorTopLevel, at(kTop, 1, 1), 0},
        RejectCase{"BareString", " \"a\"", json::kErrorTopLevel, at(kTop, 1, 2), 1},
        RejectCase{"BareLiteral", "null", json::kErrorTopLevel, at(kTop, 1, 1), 0},
        RejectCase{"TrailingText", "{} x", json::kErrorTrailingContent,
                   at("A valid JSON object was parsed but there were additional non-white-space characters remaining.", 1, 4), 3},
        RejectCase{"TwoDocuments", "[][]", json::kErrorTrailingContent,
                   at("A valid JSON object was parsed but there were additional non-white-space characters remaining.", 1, 3), 2},
        RejectCase{"TrailingCommaArray", "[1,]", json::kErrorUnexpectedCharacter, at("Expected a value, not ']'", 1, 4), 3},
        RejectCase{"TrailingCommaObject", "{\"a\":1,}", json::kErrorUnexpectedCharacter, at("Expected a string, not '}'", 1, 8), 7},
        RejectCase{"UnquotedKey", "{a:1}", json::kErrorUnexpectedCharacter, at("Expected a string or '}', not 'a:1}'", 1, 2), 1},
        RejectCase{"SingleQuotes", "['a']", json::kErrorUnexpectedCharacter, at("Expected a value or ']', not ''a']'", 1, 2), 1},
        RejectCase{"MissingColon", "{\"a\" 1}", json::kErrorExpectedColon, at("Expected ':'.", 1, 6), 5},
        RejectCase{"MissingComma", "{\"a\":1 \"b\":2}", json::kErrorUnexpectedCharacter,
                   at("Expected ',' or '}', not '\"b\":2}'", 1, 8), 7},
        RejectCase{"MissingCommaInArray", "[1 2]", json::kErrorUnexpectedCharacter, at("Expected ',' or ']', not '2]'", 1, 4), 3},
        RejectCase{"MismatchedClose", "[1}", json::kErrorUnexpectedCharacter, at("Expected ',' or ']', not '}'", 1, 3), 2},
        RejectCase{"LineComment", "[1 // one\n]", json::kErrorUnexpectedCharacter, at("Expected ',' or ']', not '// one'", 1, 4), 3},
        RejectCase{"BlockComment", "{/* c */}", json::kErrorUnexpectedCharacter,
                   at("Expected a string or '}', not '/* c */}'", 1, 2), 1},
        RejectCase{"SnippetIsShortAndSafe", "[\x01xxxxxxxxxxxxxxxxxxxx]", json::kErrorUnexpectedCharacter,
                   at("Expected a value or ']', not '\\x01xxxxxxxxx'", 1, 2), 1},
        RejectCase{"PositionCountsCharacters", "{\"\xC3\xA9t\xC3\xA9\":1,\n \"b\":\n  tru }", json::kErrorUnexpectedCharacter,
                   at("Expected a value, not 'tru }'", 3, 3), 20},
        RejectCase{"UnclosedArray", "[1,2", json::kErrorEndOfBuffer, at(kEnd, 1, 5), 4},
        RejectCase{"UnclosedObject", "{\"a\":1", json::kErrorEndOfBuffer, at(kEnd, 1, 7), 6},
        RejectCase{"KeyWithoutValue", "{\"a\":", json::kErrorEndOfBuffer, at(kEnd, 1, 6), 5},
        RejectCase{"UnclosedString", "[\"abc", json::kErrorEndOfBuffer, at(kEnd, 1, 6), 5},
        RejectCase{"CutLiteral", "[tr", json::kErrorEndOfBuffer, at(kEnd, 1, 4), 3},
        RejectCase{"WrongLiteral", "[nul]", json::kErrorUnexpectedCharacter, at("Expected a value, not 'nul]'", 1, 2), 1},
        RejectCase{"CapitalLiteral", "[True]", json::kErrorUnexpectedCharacter, at("Expected a value or ']', not 'True]'", 1, 2), 1}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, ParserRejectTest,
    testing::Values(
        RejectCase{"LeadingZero", "[01]", json::kErrorUnexpectedCharacter, at("Expected ',' or ']', not '1]'", 1, 3), 2},
        RejectCase{"NegativeLeadingZero", "[-012]", json::kErrorUnexpectedCharacter, at("Expected ',' or ']', not '12]'", 1, 4), 3},
        RejectCase{"PlusSign", "[+1]", json::kErrorUnexpectedCharacter, at("Expected a value or ']', not '+1]'", 1, 2), 1},
        RejectCase{"LoneMinus", "[-]", json::kErrorUnexpectedCharacter, at("Expected a digit, not ']'", 1, 3), 2},
        RejectCase{"LeadingDot", "[.5]", json::kErrorUnexpectedCharacter, at("Expected a value or ']', not '.5]'", 1, 2), 1},
        RejectCase{"TrailingDot", "[1.]", json::kErrorUnexpectedCharacter, at("Expected a digit, not ']'", 1, 4), 3},
        RejectCase{"EmptyExponent", "[1e]", json::kErrorUnexpectedCharacter, at("Expected '+', '-', or a digit, not ']'", 1, 4), 3},
        RejectCase{"SignOnlyExponent", "[1e+]", json::kErrorUnexpectedCharacter, at("Expected '+', '-', or a digit, not ']'", 1, 5), 4},
        RejectCase{"Hex", "[0x10]", json::kErrorUnexpectedCharacter, at("Expected ',' or ']', not 'x10]'", 1, 3), 2},
        RejectCase{"NaN", "[NaN]", json::kErrorUnexpectedCharacter, at("Expected a value or ']', not 'NaN]'", 1, 2), 1},
        RejectCase{"Infinity", "[-Infinity]", json::kErrorUnexpectedCharacter, at("Expected a digit, not 'Infinity]'", 1, 3), 2},
        RejectCase{"CutNumber", "[1.", json::kErrorEndOfBuffer, at(kEnd, 1, 4), 3},
        RejectCase{"TooLargeForDouble", "[1e309]", json::kErrorNumberTooLarge, at("The number '1e309' is too large for a double.", 1, 2), 1},
        RejectCase{"TooLargeLongDigits", "[-" + std::string(400, '9') + "]", json::kErrorNumberTooLarge,
                   at("The number '-" + std::string(39, '9') + "' is too large for a double.", 1, 2), 1}));

const std::string kUtf8 = "Illegal UTF-8 sequence in a string.";

INSTANTIATE_TEST_SUITE_P(
    Strings, ParserRejectTest,
    testing::Values(
        RejectCase{"RawNewline", "[\"a\nb\"]", json::kErrorControlCharacter, at("Control characters must be escaped in a string.", 1, 4), 3},
        RejectCase{"RawTab", "[\"\t\"]", json::kErrorControlCharacter, at("Control characters must be escaped in a string.", 1, 3), 2},
        RejectCase{"UnknownEscape", "[\"\\x41\"]", json::kErrorIllegalEscape, at("Illegal escape sequence '\\x'.", 1, 3), 2},
        RejectCase{"ShortUnicodeEscape", "[\"\\u12G4\"]", json::kErrorIllegalEscape,
                   at("Illegal Unicode escape: expected four hexadecimal digits.", 1, 3), 2},
        RejectCase{"LoneHighSurrogate", "[\"\\ud83c\"]", json::kErrorIllegalEscape,
                   at("Illegal Unicode escape: a high surrogate without a low surrogate after it.", 1, 3), 2},
        RejectCase{"HighThenNonLow", "[\"\\ud83c\\u0041\"]", json::kErrorIllegalEscape,
                   at("Illegal Unicode escape: a high surrogate without a low surrogate after it.", 1, 3), 2},
        RejectCase{"HighThenText", "[\"\\ud83cabcdefgh\"]", json::kErrorIllegalEscape,
                   at("Illegal Unicode escape: a high surrogate without a low surrogate after it.", 1, 3), 2},
        RejectCase{"LoneLowSurrogate", "[\"\\udfe0\"]", json::kErrorIllegalEscape,
                   at("Illegal Unicode escape: a low surrogate without a high surrogate before it.", 1, 3), 2},
        RejectCase{"CutEscape", "[\"\\u12", json::kErrorEndOfBuffer, at(kEnd, 1, 7), 6},
        RejectCase{"StrayContinuation", "[\"a\x80\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 4), 3},
        RejectCase{"LeadWithoutContinuation", "[\"\xC3(\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"LeadAtEnd", "[\"\xC3", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"OverlongTwoBytes", "[\"\xC0\xAF\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"OverlongC1", "[\"\xC1\xBF\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"OverlongThreeBytes", "[\"\xE0\x80\xAF\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"OverlongFourBytes", "[\"\xF0\x80\x80\xAF\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"EncodedSurrogate", "[\"\xED\xA0\x80\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"BeyondU10FFFF", "[\"\xF4\x90\x80\x80\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"LeadF5", "[\"\xF5\x80\x80\x80\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"ByteFF", "[\"\xFF\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"CutThreeBytes", "[\"\xE2\x82\"]", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        RejectCase{"BadByteAfterLongAscii", "[\"" + std::string(40, 'a') + "\xE2\x28\xA1\"]", json::kErrorIllegalUtf8,
                   at(kUtf8, 1, 43), 42},
        RejectCase{"BadByteInKey", "{\"\xFE\":1}", json::kErrorIllegalUtf8, at(kUtf8, 1, 3), 2},
        // A key repeated from the record before is compared with the stored one in a block; its
        // raw text must still be plain (the stored bytes came from escapes here).
        RejectCase{"RawControlInRepeatedKey", "[{\"abcdefg\\nh\":1},{\"abcdefg\nh\":1}]        ",
                   json::kErrorControlCharacter, at("Control characters must be escaped in a string.", 1, 28), 27},
        RejectCase{"RawQuoteInRepeatedKey", "[{\"ab\\\"cdefgh\":1},{\"ab\"cdefgh\":1}]        ",
                   json::kErrorExpectedColon, at("Expected ':'.", 1, 24), 23},
        RejectCase{"NonAsciiOutsideString", "[\xC3\xA9]", json::kErrorUnexpectedCharacter,
                   at("Expected a value or ']', not '\xC3\xA9]'", 1, 2), 1}));

}  // namespace
