// The rules of the package's derived properties: each computes a read-only
// property from the element's other properties on every read, so a derived
// value always follows what it is derived from. The rules are written down
// for users in docs/MODEL.md.
#pragma once

#include <Ozo/Object.hpp>

namespace Zorvan::metamodel::types::rules {

// PrimitiveType.GroundValue (also Enumeration's own): what raw zero stands for.
Ozo::Object groundValue(Ozo::ImmutableObject const& self);
// FixedPoint.Slope: FractionalSlope (1 when unset) x 2^-FractionLength in bits.
Ozo::Object fixedPointSlope(Ozo::ImmutableObject const& self);
// EnumerationLiteral.HasValidValue and IsSecure.
Ozo::Object literalHasValidValue(Ozo::ImmutableObject const& self);
Ozo::Object literalIsSecure(Ozo::ImmutableObject const& self);
// String.Category: the kind of length.
Ozo::Object stringCategory(Ozo::ImmutableObject const& self);
// StructElement.ReferencedType: the inline type when there is one, else the type.
Ozo::Object referencedType(Ozo::ImmutableObject const& self);
// LookupTableType.Dimensions, Category, IsApplication.
Ozo::Object lookupTableDimensions(Ozo::ImmutableObject const& self);
Ozo::Object lookupTableCategory(Ozo::ImmutableObject const& self);
Ozo::Object lookupTableIsApplication(Ozo::ImmutableObject const& self);
// SharedAxisType.IsApplication and VoidPointer.IsApplication.
Ozo::Object sharedAxisIsApplication(Ozo::ImmutableObject const& self);
Ozo::Object voidPointerIsApplication(Ozo::ImmutableObject const& self);

}  // namespace Zorvan::metamodel::types::rules
