#include "rest/mapping/Object.h"

namespace rest {

ObjectClass::ObjectClass(std::string name, const ObjectClass* superclass, Factory factory, std::vector<Field> fields)
    : m_name(std::move(name)), m_superclass(superclass), m_factory(factory) {
  if (m_superclass) m_allFields = m_superclass->fields();
  for (auto& f : fields) m_allFields.push_back(std::move(f));
}

const Field* ObjectClass::field(std::string_view name) const {
  for (const auto& f : m_allFields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

bool ObjectClass::isSubclassOf(const ObjectClass& other) const {
  for (const ObjectClass* c = this; c; c = c->m_superclass) {
    if (c == &other) return true;
  }
  return false;
}

const ObjectClass& Object::staticClass() {
  static const ObjectClass cls("NSObject", nullptr, nullptr, {});
  return cls;
}

const ObjectClass& Object::objectClass() const { return staticClass(); }

std::string Object::description() const { return "<" + objectClass().name() + ">"; }

Text* Object::textAt(std::string_view keyPath) {
  Object* current = this;
  while (true) {
    const auto dot = keyPath.find('.');
    const Field* f = current->objectClass().field(keyPath.substr(0, dot));
    if (!f) return nullptr;
    if (dot == std::string_view::npos) return f->kind == FieldKind::Text ? f->text(*current) : nullptr;
    if (f->kind != FieldKind::Record) return nullptr;
    ObjectPtr next = f->getRecord(*current);
    if (!next) return nullptr;
    current = next.get();  // owned by its parent, which outlives this call
    keyPath.remove_prefix(dot + 1);
  }
}

const Text* Object::textAt(std::string_view keyPath) const { return const_cast<Object*>(this)->textAt(keyPath); }

}  // namespace rest
