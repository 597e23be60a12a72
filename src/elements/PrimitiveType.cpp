// PrimitiveType: the base of the primitive data types (abstract).
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct PrimitiveTypeClass {
  using Intf = NSInterface::PrimitiveTypeIntf;
  using Immutable = ImmutablePrimitiveType;
  using Modifiable = PrimitiveType;
  using Meta = PrimitiveTypeMeta;
  static constexpr PropertyRow properties[] = {
      {1, "GroundValue", Primitive, ExactlyOne, ReadOnly, "double scalar", 2048},
      {2, "CompuMethod", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableCompuMethod", 0},
      {3, "Unit", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableUnit", 0},
      {4, "DataConstr", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableDataConstr", 0},
      {5, "SwBaseType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableSwBaseType", 0},
      {6, "IsApplication", Primitive, ExactlyOne, Settable, "logical scalar", 2048},
      {7, "Reference", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutablePrimitiveType", 2048},
      {8, "Qualifier", Text, ZeroOrOne, Settable, "char", 2048},
      {9, "IsVolatile", Primitive, ZeroOrOne, Settable, "ozological", 2048},
      {10, "IsConst", Primitive, ZeroOrOne, Settable, "ozological", 2048},
  };
};
}  // namespace

void staticInitializePrimitiveType(kovo::COSPackage* package) { registerClass<PrimitiveTypeClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
