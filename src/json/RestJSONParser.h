#pragma once
// The codec behind the MIME type "application/json": text to a parsed document and a value
// tree to text. The REST layer's parser registry wraps it; it holds no state, so one instance
// may serve every thread.
#include <string>
#include <string_view>

#include "foundation/Result.h"
#include "json/Document.h"
#include "json/MutableValue.h"
#include "json/Value.h"

class RestJSONParser {
 public:
  static constexpr const char* kMIMEType = "application/json";

  // objectFromString:error: — the decoded tree (an object or an array at the top), or the
  // parse error (json/Parser.h describes the rules and the messages).
  foundation::Result<json::Document> objectFromStringError(std::string_view text) const;

  // stringFromObject:error: — compact JSON text of an object or an array; anything else at
  // the top is refused, since the parser would refuse the text in turn.
  foundation::Result<std::string> stringFromObjectError(const json::MutableValue& object) const;
  foundation::Result<std::string> stringFromObjectError(const json::Value& object) const;
};
