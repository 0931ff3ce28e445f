#pragma once
// Error domain, codes and the fixed texts of the JSON codec's errors.
namespace json {

inline constexpr const char* kJsonErrorDomain = "org.tavrobox.json";

enum ErrorCode {
  // Parsing
  kErrorUnexpectedCharacter = 1,
  kErrorEndOfBuffer = 2,
  kErrorTopLevel = 3,
  kErrorTrailingContent = 4,
  kErrorExpectedColon = 5,
  kErrorIllegalUtf8 = 6,
  kErrorIllegalEscape = 7,
  kErrorControlCharacter = 8,
  kErrorNumberTooLarge = 9,
  kErrorTooDeep = 10,
  kErrorDocumentTooLarge = 11,
  // Serializing
  kErrorNotFinite = 20,
  kErrorInvalidUtf8Output = 21,
  kErrorTopLevelNotContainer = 22,
  kErrorTooDeepToWrite = 23,
};

namespace message {
inline constexpr const char* kUnableToParse = "Unable to parse JSON.";
inline constexpr const char* kEndOfBuffer = "Reached the end of the buffer.";
inline constexpr const char* kTopLevel = "Expected either '[' or '{'.";
inline constexpr const char* kTrailing =
    "A valid JSON object was parsed but there were additional non-white-space characters remaining.";
inline constexpr const char* kExpectedColon = "Expected ':'.";
inline constexpr const char* kNotFinite =
    "Floating point values must be finite.  JSON does not support NaN or Infinity.";
}  // namespace message

// Deepest nesting of arrays and objects the parser accepts (and the serializer writes).
inline constexpr int kMaxDepth = 512;

}  // namespace json
