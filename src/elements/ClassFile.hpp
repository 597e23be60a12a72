// What every element class file includes: the anatomy, the vocabulary of its
// rows (shown properties, attribute words, method rows), the model's classes
// and the foundation's meta-property creators.
#pragma once

#include "elements/Registration.hpp"
#include "marshal/PrimitiveProperties.hpp"

#include <foundation_xb/FoundationMeta.hpp>
#include <types/Types.hpp>
#include <xb/ElementClass.hpp>

#include <array>
#include <type_traits>

namespace Zorvan::metamodel::types::xb {

using Ozo::xb::creation;
// The meta-property creator of a class: ModelMeta<Intf, Immutable, kHeader, line>,
// naming the model header of the class and the line of its id check.
using Ozo::xb::ModelMeta;
using Ozo::xb::instanceMethod;
// Attribute of methods called on an object.
inline constexpr std::int32_t kInstanceOnly = kovo::factory::kAttrInstanceOnly;
using Ozo::xb::MethodRow;
using Ozo::xb::PropertyRow;
using namespace Ozo::xb::kinds;
using enum Ozo::xb::Multiplicity;
using enum Ozo::xb::Mutability;

using Ozo::xb::kAttrMarked;
using Ozo::xb::kAttrNone;
using Ozo::xb::ShownProperty;

// The constructor rows of element class X: none for an abstract class; the
// creation in a model, then the creation with arguments when X has one
// (X::kCreateWith).
template <class X>
constexpr auto creationsOf() {
  if constexpr (requires { X::kCreateWith; }) {
    return []<class... A>(CreateWith<A...>) {
      return std::array{creation<X, Ozo::Model const&>(), creation<X, Ozo::Model, A...>()};
    }(X::kCreateWith);
  } else if constexpr (requires(Ozo::Model const& m) { X::create(m); }) {
    return std::array{creation<X, Ozo::Model const&>()};
  } else {
    return std::array<MethodRow, 0>{};
  }
}

// What every class X of the package shares: its handles and model interface
// follow from X, its property rows are made from the model's own property
// table with the module's primitive and value-type kinds (PropertyRows.cpp),
// its constructor rows from its create operations.
struct TypesRows {
  // The kind of a property holding values of the named (qualified) value type.
  static Ozo::xb::PropertyKind valueKind(char const* typeName);
  static constexpr Ozo::xb::RowKinds rowKinds{Primitive, &valueKind};
};
// The immutable handle a modifiable handle is made from.
template <class Imm>
Imm immutableOf(Ozo::Modifiable<Imm> const*);

template <class X>
struct TypesClass : TypesRows {
  using Intf = typename X::Intf;
  using Immutable = decltype(immutableOf(static_cast<X const*>(nullptr)));
  using Modifiable = X;
  static_assert(std::is_same_v<typename Immutable::Intf, Intf>);
  static constexpr auto constructors = creationsOf<X>();
};

// The binding facts of element class X: its class file names its traits
// struct (`template <> struct ElementFile<Axis> { using Class = AxisClass; };`)
// and instantiates registerElement<X> there, where the traits are known.
template <class X>
struct ElementFile;

template <class X>
void registerElement(kovo::COSPackage* package) {
  Ozo::xb::registerElementClass<typename ElementFile<X>::Class>(package);
}

}  // namespace Zorvan::metamodel::types::xb
