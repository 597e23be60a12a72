#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::metamodel::foundation::xb {
// Registers the host classes of the foundation package's element classes.
void registerClasses(kovo::COSPackage* package);
}  // namespace Zorvan::metamodel::foundation::xb
