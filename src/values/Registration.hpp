// Registration of the package's value types.
#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::metamodel::types::xb {

// Registers value type V's class and its four sequence and cursor classes in
// `package`, or as global classes when the package is null. Defined in
// ValueClasses.hpp and instantiated in the file of V's kind (Enumerations.cpp,
// StructuredValues.cpp), which alone knows its class description.
template <class V>
void registerValue(kovo::COSPackage* package);

}  // namespace Zorvan::metamodel::types::xb
