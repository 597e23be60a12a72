// What every class header of the types package builds on: one-line typed
// accessors of a property by its index in a class's own table, and the
// stacks of foundation setters a modifiable handle starts from.
#pragma once

#include <foundation/Foundation.hpp>
#include <types/Forward.hpp>
#include <types/Values.hpp>

#include <optional>

namespace Zorvan::metamodel::types {

namespace detail {

// How a property seen as C++ type T is read and written: a single value, an
// optional value (none = unset) or a live many-valued collection.
template <class T>
struct Access {
  template <class S>
  static T read(S const& self, Ozo::IntrospectiveMethods const& m, unsigned i) {
    return Ozo::readProperty<T>(self, m, i);
  }
  template <class S>
  static void write(S const& self, Ozo::IntrospectiveMethods const& m, unsigned i, T const& v) {
    Ozo::writeProperty(self, m, i, v);
  }
};
template <class T>
struct Access<std::optional<T>> {
  template <class S>
  static std::optional<T> read(S const& self, Ozo::IntrospectiveMethods const& m, unsigned i) {
    return Ozo::readOptional<T>(self, m, i);
  }
  template <class S>
  static void write(S const& self, Ozo::IntrospectiveMethods const& m, unsigned i, std::optional<T> const& v) {
    Ozo::writeOptional(self, m, i, v);
  }
};
template <class T>
struct Access<Ozo::Collection<T>> {
  template <class S>
  static Ozo::Collection<T> read(S const& self, Ozo::IntrospectiveMethods const& m, unsigned i) {
    return Ozo::readCollection<T>(self, m, i);
  }
};

template <class Imm>
using NamedElementBase = foundation::NamedElementMutators<foundation::ElementMutators<Ozo::Modifiable<Imm>>>;
template <class Imm>
using PackageableElementBase = foundation::PackageableElementMutators<NamedElementBase<Imm>>;
template <class Imm>
using ElementOnlyBase = foundation::ElementMutators<Ozo::Modifiable<Imm>>;
template <class Imm>
using TypedElementBase = foundation::TypedElementMutators<NamedElementBase<Imm>>;
template <class Imm>
using ValueSpecificationBase = foundation::ValueSpecificationMutators<TypedElementBase<Imm>>;
template <class Imm>
using ValueTypeBase = foundation::ValueTypeMutators<foundation::NamespaceMutators<NamedElementBase<Imm>>>;

}  // namespace detail

// Property N of the own table of class Intf, as T. The interface is named,
// not taken from the handle: a setter mixin sits under its subclasses'.
namespace prop {
template <class Intf, unsigned N, class T, class Self>
T get(Self const& self) {
  return detail::Access<T>::read(self, Intf::sIntrospectiveMethods, N);
}
template <class Intf, unsigned N, class T, class Self>
void set(Self const& self, T const& value) {
  detail::Access<T>::write(self, Intf::sIntrospectiveMethods, N, value);
}
}  // namespace prop

}  // namespace Zorvan::metamodel::types
