// The sequence and cursor host classes of the package's value types: for
// each value type X "SequenceOfX", "ImmutableSequenceOfX", "XIterator" and
// "XImmutableIterator", over the value lists of sequences/Lists.hpp.
#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::metamodel::types::xb {

// Adds the four list classes of the value type named `valueName` ("Time") to
// `package` (a global class each without one); throws for a name that is
// not one of the package's value types.
void addValueListClasses(kovo::COSPackage* package, char const* valueName);

}  // namespace Zorvan::metamodel::types::xb
