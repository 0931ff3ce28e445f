#pragma once
// Records that the object mapper creates and reads: plain objects that describe their own
// fields through a static class description, so mappings can create them, read and write
// fields by key path, and ask "is exactly of class" / "is a kind of class".
//
// Field kinds: text (std::optional<std::string>: no value is not the empty text), a nested
// record, a list of records, and bytes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace rest {

using Text = std::optional<std::string>;
using Bytes = std::optional<std::vector<std::uint8_t>>;

class Object;
class ObjectClass;
using ObjectPtr = std::shared_ptr<Object>;
using ObjectList = std::vector<ObjectPtr>;

enum class FieldKind { Text, Record, RecordList, Bytes };

// One field of a record class, with type-erased access to the member.
struct Field {
  std::string name;
  FieldKind kind = FieldKind::Text;
  const ObjectClass* (*elementClass)() = nullptr;  // declared class of a record or list field

  Text* (*text)(Object&) = nullptr;
  Bytes* (*bytes)(Object&) = nullptr;
  ObjectPtr (*getRecord)(const Object&) = nullptr;
  void (*setRecord)(Object&, ObjectPtr) = nullptr;  // the pointer must be of the declared class
  ObjectList (*getList)(const Object&) = nullptr;
  void (*setList)(Object&, ObjectList) = nullptr;
  // Fill a list in place, without an intermediate ObjectList: empty it (keeping room for
  // `capacity` records), then append records of the declared class one by one.
  void (*clearList)(Object&, std::size_t capacity) = nullptr;
  void (*appendToList)(Object&, ObjectPtr&&) = nullptr;
};

class ObjectClass {
 public:
  using Factory = ObjectPtr (*)();

  ObjectClass(std::string name, const ObjectClass* superclass, Factory factory, std::vector<Field> fields);

  const std::string& name() const { return m_name; }
  const ObjectClass* superclass() const { return m_superclass; }
  ObjectPtr create() const { return m_factory ? m_factory() : nullptr; }

  // Own fields after the inherited ones, in declaration order.
  const std::vector<Field>& fields() const { return m_allFields; }
  const Field* field(std::string_view name) const;

  // True when this class is `other` or derives from it.
  bool isSubclassOf(const ObjectClass& other) const;

 private:
  std::string m_name;
  const ObjectClass* m_superclass;
  Factory m_factory;
  std::vector<Field> m_allFields;
};

class Object {
 public:
  virtual ~Object() = default;
  virtual const ObjectClass& objectClass() const;
  static const ObjectClass& staticClass();

  bool isMemberOfClass(const ObjectClass& cls) const { return &objectClass() == &cls; }
  bool isKindOfClass(const ObjectClass& cls) const { return objectClass().isSubclassOf(cls); }

  // Text of a field reached by a dotted key path ("gateway.identifier"); nullptr when a step
  // is missing or the last field is not text.
  Text* textAt(std::string_view keyPath);
  const Text* textAt(std::string_view keyPath) const;

  // The record's own description (error records give their message).
  virtual std::string description() const;

 protected:
  Object() = default;
  Object(const Object&) = default;
  Object& operator=(const Object&) = default;
};

namespace detail {
template <class T>
struct MemberPointer;
template <class C, class M>
struct MemberPointer<M C::*> {
  using Class = C;
  using Member = M;
};
template <class T>
struct IsSharedPtr : std::false_type {};
template <class T>
struct IsSharedPtr<std::shared_ptr<T>> : std::true_type {
  using Element = T;
};
template <class T>
struct IsVectorOfShared : std::false_type {};
template <class T>
struct IsVectorOfShared<std::vector<std::shared_ptr<T>>> : std::true_type {
  using Element = T;
};
}  // namespace detail

// Describes the member `Member` (a pointer to member of a record class) as a field.
template <auto Member>
Field field(std::string name) {
  using Traits = detail::MemberPointer<decltype(Member)>;
  using C = typename Traits::Class;
  using M = typename Traits::Member;
  Field f;
  f.name = std::move(name);
  if constexpr (std::is_same_v<M, Text>) {
    f.kind = FieldKind::Text;
    f.text = [](Object& o) -> Text* { return &(static_cast<C&>(o).*Member); };
  } else if constexpr (std::is_same_v<M, Bytes>) {
    f.kind = FieldKind::Bytes;
    f.bytes = [](Object& o) -> Bytes* { return &(static_cast<C&>(o).*Member); };
  } else if constexpr (detail::IsSharedPtr<M>::value) {
    using E = typename detail::IsSharedPtr<M>::Element;
    f.kind = FieldKind::Record;
    f.elementClass = []() -> const ObjectClass* { return &E::staticClass(); };
    f.getRecord = [](const Object& o) -> ObjectPtr { return static_cast<const C&>(o).*Member; };
    f.setRecord = [](Object& o, ObjectPtr v) { static_cast<C&>(o).*Member = std::static_pointer_cast<E>(std::move(v)); };
  } else if constexpr (detail::IsVectorOfShared<M>::value) {
    using E = typename detail::IsVectorOfShared<M>::Element;
    f.kind = FieldKind::RecordList;
    f.elementClass = []() -> const ObjectClass* { return &E::staticClass(); };
    f.getList = [](const Object& o) -> ObjectList {
      const auto& v = static_cast<const C&>(o).*Member;
      return ObjectList(v.begin(), v.end());
    };
    f.setList = [](Object& o, ObjectList v) {
      auto& out = static_cast<C&>(o).*Member;
      out.clear();
      out.reserve(v.size());
      for (auto& e : v) out.push_back(std::static_pointer_cast<E>(std::move(e)));
    };
    f.clearList = [](Object& o, std::size_t capacity) {
      auto& out = static_cast<C&>(o).*Member;
      out.clear();
      out.reserve(capacity);
    };
    f.appendToList = [](Object& o, ObjectPtr&& v) {
      (static_cast<C&>(o).*Member).push_back(std::static_pointer_cast<E>(std::move(v)));
    };
  } else {
    static_assert(sizeof(M) == 0, "record fields are Text, Bytes, shared_ptr<Record> or vector<shared_ptr<Record>>");
  }
  return f;
}

template <class T>
ObjectPtr makeObject() {
  return std::make_shared<T>();
}

}  // namespace rest

// Declares the class description of a record class inside its definition.
#define REST_OBJECT(ClassName)                                                  \
 public:                                                                        \
  static const ::rest::ObjectClass& staticClass();                              \
  const ::rest::ObjectClass& objectClass() const override { return staticClass(); }
