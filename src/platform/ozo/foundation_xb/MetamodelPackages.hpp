// The parent binding packages: "Zorvan", "Zorvan.metamodel" and the
// foundation package "Zorvan.metamodel.foundation" beneath it.
#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::xb {
// The root package "Zorvan", created on first use (with the runtime's "Ozo").
kovo::COSPackage* getZorvanCOSPackage();
}  // namespace Zorvan::xb

namespace Zorvan::metamodel::xb {
// Makes sure "Zorvan.metamodel" exists and carries the foundation package
// description; idempotent. `root` is the "Zorvan" package.
void initmetamodelPackageWrapper(kovo::COSPackage* root);
// The package "Zorvan.metamodel" (null before initmetamodelPackageWrapper).
kovo::COSPackage* getmetamodelCOSPackage();
}  // namespace Zorvan::metamodel::xb
