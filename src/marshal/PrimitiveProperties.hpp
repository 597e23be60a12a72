// The module's primitive properties: Boolean, Integer and Real descriptors,
// required or optional, chosen by the host data type of a property row.
#pragma once

#include <xb/ElementClass.hpp>

namespace Zorvan::metamodel::types::xb {

// Registers the descriptor of a row whose host data type is "int32 scalar",
// "double scalar", "logical scalar" or their optional forms "ozoint32",
// "ozodouble", "ozological"; any other host data type is refused.
void registerPrimitive(Ozo::xb::OzoxbPropertyFactory& factory, Ozo::xb::PropertyRow const& row);

// The kind of such rows.
inline constexpr Ozo::xb::PropertyKind Primitive = &registerPrimitive;

}  // namespace Zorvan::metamodel::types::xb
