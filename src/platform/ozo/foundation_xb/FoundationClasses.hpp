#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::metamodel::foundation::xb {
// Registers the host classes of the foundation package's element classes.
void registerClasses(kovo::COSPackage* package);
// Registers the meta-property creators of the foundation classes and of the
// runtime's ClassObject, which every element's meta-property class lists.
void registerMetaGroups();
}  // namespace Zorvan::metamodel::foundation::xb
