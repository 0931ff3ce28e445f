#pragma once
// Compact JSON text of a parsed or a built value (see json/Writer.h for the output form).
// Any value may be written here, scalars included; RestJSONParser is the one that insists on
// an object or an array at the top.
#include <string>

#include "foundation/Result.h"
#include "json/MutableValue.h"
#include "json/Value.h"

namespace json {

foundation::Result<std::string> serialize(const Value& value);
// Errors: a non-finite double, a string or key that is not UTF-8, nesting deeper than kMaxDepth.
foundation::Result<std::string> serialize(const MutableValue& value);

}  // namespace json
