#include "json/RestJSONParser.h"

#include "json/Errors.h"
#include "json/Parser.h"
#include "json/Serializer.h"

namespace {

foundation::Error notAContainer() {
  return foundation::Error{json::kJsonErrorDomain, json::kErrorTopLevelNotContainer,
                           "Only an object or an array can be written as a JSON document.", -1};
}

}  // namespace

foundation::Result<json::Document> RestJSONParser::objectFromStringError(std::string_view text) const {
  return json::parse(text);
}

foundation::Result<std::string> RestJSONParser::stringFromObjectError(const json::MutableValue& object) const {
  if (!object.isObject() && !object.isArray()) return notAContainer();
  return json::serialize(object);
}

foundation::Result<std::string> RestJSONParser::stringFromObjectError(const json::Value& object) const {
  if (!object.isObject() && !object.isArray()) return notAContainer();
  return json::serialize(object);
}
