// The sequence and cursor host classes of the package's value types: for
// each value type X "SequenceOfX", "ImmutableSequenceOfX", "XIterator" and
// "XImmutableIterator", over the value lists of sequences/Lists.hpp.
#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::metamodel::types::xb {

enum class ValueListRole { Sequence, ImmutableSequence, Iterator, ImmutableIterator };

// A new description of one of the four list classes of the value type named
// `valueName` ("Time"), owned by the caller until handed to the host; null
// for a name that is not one of the package's value types.
kovo::COSClassInfo* createValueListClass(char const* valueName, ValueListRole role);

}  // namespace Zorvan::metamodel::types::xb
