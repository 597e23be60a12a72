// Registration functions of the package's value types. Each registers the
// value class and its four sequence and cursor classes in the given package,
// or as global classes when the package is null.
#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::metamodel::types::xb {

void staticInitializeCompuMethodCategory(kovo::COSPackage* package);
void staticInitializeDataSizeUnitKind(kovo::COSPackage* package);
void staticInitializeFloatingPointKind(kovo::COSPackage* package);
void staticInitializeSwGenericAxisParamTypeCategory(kovo::COSPackage* package);
void staticInitializeTimeUnitKind(kovo::COSPackage* package);

}  // namespace Zorvan::metamodel::types::xb

namespace Zorvan::metamodel::types::xb {

void staticInitializeDataSize(kovo::COSPackage* package);
void staticInitializeTime(kovo::COSPackage* package);

}  // namespace Zorvan::metamodel::types::xb
