// Registration functions of the element classes of Zorvan.metamodel.types.
// Each registers its class's eleven host classes in the given package; a
// null package registers nothing.
#pragma once

#include <kovo/Class.hpp>

namespace Zorvan::metamodel::types::xb {

void staticInitializeApplicationValueSpecification(kovo::COSPackage* package);
void staticInitializeAxis(kovo::COSPackage* package);
void staticInitializeBoolean(kovo::COSPackage* package);
void staticInitializeCell(kovo::COSPackage* package);
void staticInitializeComplex(kovo::COSPackage* package);
void staticInitializeCompositeSpecification(kovo::COSPackage* package);
void staticInitializeCompuMethod(kovo::COSPackage* package);
void staticInitializeConstantReference(kovo::COSPackage* package);
void staticInitializeConstantSpecification(kovo::COSPackage* package);
void staticInitializeDataConstr(kovo::COSPackage* package);
void staticInitializeDimension(kovo::COSPackage* package);
void staticInitializeEnumeration(kovo::COSPackage* package);
void staticInitializeEnumerationLiteral(kovo::COSPackage* package);
void staticInitializeEnumerationLiteralReference(kovo::COSPackage* package);
void staticInitializeFixedPoint(kovo::COSPackage* package);
void staticInitializeFloatingPoint(kovo::COSPackage* package);
void staticInitializeInteger(kovo::COSPackage* package);
void staticInitializeLiteralReal(kovo::COSPackage* package);
void staticInitializeLookupTableSpecification(kovo::COSPackage* package);
void staticInitializeLookupTableType(kovo::COSPackage* package);
void staticInitializeMatrix(kovo::COSPackage* package);
void staticInitializeMatrixValueSpecification(kovo::COSPackage* package);
void staticInitializePrimitiveType(kovo::COSPackage* package);
void staticInitializeReal(kovo::COSPackage* package);
void staticInitializeSharedAxisType(kovo::COSPackage* package);
void staticInitializeSlot(kovo::COSPackage* package);
void staticInitializeString(kovo::COSPackage* package);
void staticInitializeStructElement(kovo::COSPackage* package);
void staticInitializeStructure(kovo::COSPackage* package);
void staticInitializeStructureValueSpecification(kovo::COSPackage* package);
void staticInitializeSwAxisType(kovo::COSPackage* package);
void staticInitializeSwBaseType(kovo::COSPackage* package);
void staticInitializeSwGenericAxisParamType(kovo::COSPackage* package);
void staticInitializeSwRecordLayout(kovo::COSPackage* package);
void staticInitializeSwRecordLayoutGroup(kovo::COSPackage* package);
void staticInitializeSwRecordLayoutV(kovo::COSPackage* package);
void staticInitializeUnit(kovo::COSPackage* package);
void staticInitializeValueElement(kovo::COSPackage* package);
void staticInitializeVoidPointer(kovo::COSPackage* package);

}  // namespace Zorvan::metamodel::types::xb
