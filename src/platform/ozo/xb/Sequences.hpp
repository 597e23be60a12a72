// Host classes of the runtime's primitive sequences (strings, integers,
// reals) and their iterators, in the package "Ozo".
#pragma once

#include <kovo/Class.hpp>

namespace Ozo::xb {

// Adds "Ozo.SequenceOfString", "Ozo.ImmutableSequenceOfString", their
// iterators and the Integer and Real counterparts to the package `ozo`.
void registerPrimitiveSequenceClasses(kovo::COSPackage* ozo);

}  // namespace Ozo::xb
