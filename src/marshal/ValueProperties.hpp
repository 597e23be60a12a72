// The module's ValueType property kind: value-typed properties of element
// classes. The descriptor finds the element and checks the write; the helper
// converts between the model's object and the host value with the value
// type's converter.
//
//   {1, "Length", ValueType<DataSize>, ExactlyOne, Settable, "Zorvan.metamodel.types.DataSize", 0},
#pragma once

#include "marshal/ValueConvert.hpp"

#include <xb/ElementClass.hpp>
#include <xb/Property.hpp>

namespace Ozo::xb {

template <class T>
class PropHelper final : public PropHelperBase {
 public:
  // A fresh host value each read: an enumeration's host object, a new copy
  // of a DataSize. An unset property reads as the empty value of its class.
  kovo::COSValue get(ClassObject const& object, OzoxbProperty const& property) override {
    return out(property.accessors().get(object, property.index()), property);
  }
  kovo::COSValue out(Object const& stored, OzoxbProperty const& property) override {
    if (!stored.isValid()) return absent(property.getDataType());
    return Convert<T>::out(T(stored), {});
  }
  // Stores a copy; an empty host value stores nothing.
  void set(ClassObject const& object, OzoxbProperty const& property, kovo::COSValue value) override {
    Zorvan::metamodel::types::xb::Given<T> const given = Convert<Zorvan::metamodel::types::xb::Given<T>>::in(value, {});
    if (!given.present) return;
    property.accessors().set(object, property.index(), Object(given.value));
  }
};

namespace kinds {
template <class T>
void registerValueType(OzoxbPropertyFactory& f, PropertyRow const& r) {
  f.DataType(r.name, r.multiplicity, r.mutability, r.index, r.hostType, new PropHelper<T>, r.attributes);
}
template <class T>
inline constexpr PropertyKind ValueType = &registerValueType<T>;
}  // namespace kinds

}  // namespace Ozo::xb
