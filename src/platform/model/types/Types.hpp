// The types package "Zorvan.metamodel.types": data types, axes and their
// relatives. Same layout as the foundation package: per class X the
// interface NSInterface::XIntf, ImmutableX, XMutators and X, one header per
// class (types/X.hpp); this header declares the package and includes them
// all.
//
// Element properties whose class is not modelled yet (CompuMethod, Unit,
// LookupTableType, ...) are typed by name in the class definitions and read
// as Ozo::ImmutableClassObject; value-typed properties (DataSize, ...) as
// Ozo::ImmutableObject.
#pragma once

#include <types/Axis.hpp>
#include <types/Integer.hpp>
#include <types/PrimitiveType.hpp>
#include <types/Real.hpp>
#include <types/SharedAxisType.hpp>
#include <types/SwGenericAxisParamType.hpp>
#include <types/SwRecordLayout.hpp>
#include <types/Values.hpp>

namespace Zorvan::metamodel::types {

inline constexpr char kPackageName[] = "Zorvan.metamodel.types";

// Builds the package's meta classes (and the foundation's). Idempotent.
void initialize();
// The meta package "Zorvan.metamodel.types" with the package's classes.
Ozo::ImmutablePackage MetaPackage();

}  // namespace Zorvan::metamodel::types
