// What every value type registers: its own class, then its two sequence and
// two cursor classes, in the package or, without a package, as global
// classes.
#pragma once

#include <kovo/Class.hpp>
#include <xb/ClassInfo.hpp>

namespace Zorvan::metamodel::types::xb {

// `valueClass` is owned by the host from here on.
void registerValueClasses(kovo::COSPackage* package, kovo::COSClassInfo* valueClass, char const* name);

// The class descriptions of the two kinds of value type: an enumeration
// (Enumerations.cpp) and a structured value (StructuredValues.cpp).
template <class E>
class EnumerationWrapper;
template <class V>
class StructuredValueWrapper;

template <class V>
void registerValue(kovo::COSPackage* package) {
  if constexpr (requires { V::literals; })
    registerValueClasses(package, new EnumerationWrapper<V>, V::name);
  else
    registerValueClasses(package, new StructuredValueWrapper<V>, V::name);
}

}  // namespace Zorvan::metamodel::types::xb
