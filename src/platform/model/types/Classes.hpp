// The package's classes, in the one order the package registers them:
// element classes, value types and the factory. Registration, the factories,
// the meta package and the tests read this list; a new class is added here.
#pragma once

#include <types/Types.hpp>

#include <type_traits>

namespace Zorvan::metamodel::types {

template <class... T>
struct TypeList {
  static constexpr unsigned size = sizeof...(T);
  // Calls f.template operator()<T>() for each type in order.
  template <class F>
  static constexpr void forEach(F&& f) {
    (f.template operator()<T>(), ...);
  }
};

using PackageClasses =
    TypeList<FloatingPoint, Complex, Dimension, LiteralReal, FixedPoint, Integer, Real, DataSize, Unit, Time,
             FloatingPointKind, Matrix, EnumerationLiteral, Enumeration, DataSizeUnitKind, TimeUnitKind, Factory,
             Boolean, MatrixValueSpecification, Cell, Structure, ValueElement, StructureValueSpecification, Slot,
             EnumerationLiteralReference, ConstantSpecification, ConstantReference, CompositeSpecification,
             PrimitiveType, StructElement, CompuMethod, DataConstr, CompuMethodCategory, SwBaseType, LookupTableType,
             SharedAxisType, SwRecordLayout, Axis, VoidPointer, ApplicationValueSpecification, LookupTableSpecification,
             SwRecordLayoutGroup, SwRecordLayoutV, SwGenericAxisParamType, SwAxisType, SwGenericAxisParamTypeCategory,
             String>;

// What each entry is.
template <class X>
concept ElementClass = !std::is_same_v<X, Factory> && requires { X::Intf::sClassDef; };
template <class X>
concept ValueClass = requires { X::name; };
// An element class the package can create (not abstract).
template <class X>
concept CreatableElement = ElementClass<X> && requires(Ozo::Model const& m) { X::create(m); };

// Calls f.template operator()<X>() for each listed class of kind K, in order
// (IsElement, IsValue: the seven value types, IsCreatable).
template <template <class> class K, class F>
constexpr void forEachOf(F&& f) {
  PackageClasses::forEach([&f]<class X>() {
    if constexpr (K<X>::value) f.template operator()<X>();
  });
}
template <class X>
struct IsElement : std::bool_constant<ElementClass<X>> {};
template <class X>
struct IsValue : std::bool_constant<ValueClass<X>> {};
template <class X>
struct IsCreatable : std::bool_constant<CreatableElement<X>> {};

// How many listed classes are of kind K.
template <template <class> class K>
constexpr unsigned countOf() {
  unsigned n = 0;
  forEachOf<K>([&n]<class>() { ++n; });
  return n;
}

}  // namespace Zorvan::metamodel::types
