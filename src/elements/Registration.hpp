// Registration functions of the element classes of Zorvan.metamodel.types.
// Each registers its class's eleven host classes in the given package; a
// null package registers nothing.
#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::metamodel::types::xb {

void staticInitializeAxis(kovo::COSPackage* package);
void staticInitializeInteger(kovo::COSPackage* package);
void staticInitializePrimitiveType(kovo::COSPackage* package);
void staticInitializeReal(kovo::COSPackage* package);
void staticInitializeSharedAxisType(kovo::COSPackage* package);
void staticInitializeSwGenericAxisParamType(kovo::COSPackage* package);
void staticInitializeSwRecordLayout(kovo::COSPackage* package);

}  // namespace Zorvan::metamodel::types::xb
