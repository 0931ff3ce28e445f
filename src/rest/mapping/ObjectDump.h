#pragma once
// A readable, stable text form of a record tree (fields in declaration order), for logs, the
// command-line client and golden-file tests.
#include "rest/mapping/Object.h"

#include <string>

namespace rest {

// One line per field: `name: "text"`, `name: -` for no value, nested records indented.
std::string dumpObject(const Object& object, int indent = 0);
std::string dumpObjects(const ObjectList& objects);

}  // namespace rest
