#include "rest/mapping/ObjectDump.h"

namespace rest {

namespace {
void quote(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  out += '"';
}

void dumpInto(std::string& out, const Object& object, int indent) {
  const std::string pad(static_cast<std::size_t>(indent) * 2, ' ');
  out += object.objectClass().name() + " {\n";
  for (const Field& f : object.objectClass().fields()) {
    out += pad + "  " + f.name + ": ";
    auto& mutableObject = const_cast<Object&>(object);  // accessors are shared by reads and writes
    switch (f.kind) {
      case FieldKind::Text: {
        const Text& t = *f.text(mutableObject);
        if (t) quote(out, *t); else out += "-";
        break;
      }
      case FieldKind::Bytes: {
        const Bytes& b = *f.bytes(mutableObject);
        if (b) out += std::to_string(b->size()) + " bytes"; else out += "-";
        break;
      }
      case FieldKind::Record: {
        if (auto child = f.getRecord(object)) dumpInto(out, *child, indent + 1); else out += "-";
        break;
      }
      case FieldKind::RecordList: {
        const ObjectList children = f.getList(object);
        out += "[";
        if (!children.empty()) {
          out += "\n";
          for (const auto& child : children) {
            out += pad + "    ";
            if (child) dumpInto(out, *child, indent + 2); else out += "null";
            out += "\n";
          }
          out += pad + "  ";
        }
        out += "]";
        break;
      }
    }
    out += "\n";
  }
  out += pad + "}";
}
}  // namespace

std::string dumpObject(const Object& object, int indent) {
  std::string out;
  dumpInto(out, object, indent);
  return out;
}

std::string dumpObjects(const ObjectList& objects) {
  std::string out;
  for (const auto& o : objects) {
    if (o) dumpInto(out, *o, 0); else out += "null";
    out += "\n";
  }
  return out;
}

}  // namespace rest
