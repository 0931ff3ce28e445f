#pragma once
// Strict JSON parser (RFC 8259, UTF-8) into an immutable json::Document.
//
// - The top level must be an object or an array; only white space may follow it. A UTF-8 byte
//   order mark at the very start is skipped.
// - No comments, trailing commas, unquoted keys, leading zeros, "+" signs, NaN or Infinity.
// - Strings: escapes decoded (surrogate pairs joined; a lone surrogate is an error), raw bytes
//   checked to be well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF),
//   control characters must be escaped. "\u0000" is allowed and kept.
// - Numbers: see json/Value.h for the kinds. A number too large for a double is an error; one
//   too small for it reads as zero of the same sign.
// - Nesting deeper than json::kMaxDepth (512) arrays/objects is an error. The parser does not
//   recurse, so its stack use is small and fixed (about 20 KB) whatever the input.
// - Duplicate keys are kept as written; lookups return the first (see json/Value.h).
//
// Errors carry a code (json/Errors.h), the byte offset of the fault and a message that reads
// "Unable to parse JSON. <what was wrong> (line L, character C)" with 1-based line and character
// (characters counted in code points).
//
// The parser keeps no global mutable state: parses may run on several threads at once.
#include <string_view>

#include "foundation/Result.h"
#include "json/Document.h"

namespace json {

foundation::Result<Document> parse(std::string_view text);

}  // namespace json
