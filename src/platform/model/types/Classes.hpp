// Walks over the package's class list (PackageClasses, types/Types.hpp): what
// each entry is (element class, value type, the factory) and the entries of
// one kind in list order. Registration, the factories, the meta package, the
// value-typed property rows and the tests read the list through these.
#pragma once

#include <types/Types.hpp>

#include <type_traits>

namespace Zorvan::metamodel::types {

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
