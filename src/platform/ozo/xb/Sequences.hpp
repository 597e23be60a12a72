// Host classes of the runtime's primitive sequences (strings, integers,
// reals) and their iterators, in the package "Ozo".
#pragma once

#include <kovo/Class.hpp>

#include <string_view>

namespace Ozo::xb {

// Adds "Ozo.SequenceOfString", "Ozo.ImmutableSequenceOfString", their
// iterators and the Integer and Real counterparts to the package `ozo`.
void registerPrimitiveSequenceClasses(kovo::COSPackage* ozo);

// Adds the four sequence and four iterator classes over the elements of one
// model class to `package`: the elements are "<prefix>.<modifiable>" and
// "<prefix>.<immutable>"; `base` (full name, may be empty) is the modifiable
// host class of the model superclass.
void addElementCollections(kovo::COSPackage* package, std::string_view prefix, std::string_view modifiable,
                           std::string_view immutable, std::string_view base);

}  // namespace Ozo::xb
