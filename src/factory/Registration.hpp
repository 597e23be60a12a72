// Registration of the factory's host classes "Factory" and "ImmutableFactory".
#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::metamodel::types::xb {

// Registers both classes in the package, or as global classes when there is none.
void staticInitializeFactory(kovo::COSPackage* package);

}  // namespace Zorvan::metamodel::types::xb
