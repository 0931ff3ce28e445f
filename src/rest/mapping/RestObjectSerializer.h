#pragma once
// Writes a record as a request body with its serialization mapping: each mapped field that has
// a value becomes a member of the same JSON object (fields without a value are left out),
// wrapped in the mapping's root key path when it has one.
#include "foundation/Result.h"
#include "json/MutableValue.h"
#include "rest/mapping/RestObjectMapping.h"

#include <optional>
#include <string>

namespace rest {

// The body's JSON object, or nothing when the record gives no member at all (then no body is
// sent).
std::optional<json::MutableValue> serializeObject(const Object& object, const RestObjectMapping& mapping);

// The body as JSON text, or nothing (no member), or the writer's error.
foundation::Result<std::optional<std::string>> serializeObjectToJSON(const Object& object,
                                                                     const RestObjectMapping& mapping);

}  // namespace rest
