// SharedAxisType: an axis shared by several lookup tables.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SharedAxisTypeClass {
  using Intf = NSInterface::SharedAxisTypeIntf;
  using Immutable = ImmutableSharedAxisType;
  using Modifiable = SharedAxisType;
  using Meta = SharedAxisTypeMeta;
  static constexpr PropertyRow properties[] = {
      {1, "SwRecordLayout", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableSwRecordLayout", 0},
      {2, "Axis", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableAxis", 0},
      {3, "IsApplication", Primitive, ExactlyOne, ReadOnly, "logical scalar", 0},
      {4, "SharedFrom", ClassObject, Many, Settable, "Zorvan.metamodel.types.ImmutableSequenceOfImmutableAxis", 2048},
      {5, "ValueAxisDataType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutablePrimitiveType", 2048},
      {6, "Qualifier", Text, ZeroOrOne, Settable, "char", 2048},
      {7, "IsConst", Primitive, ZeroOrOne, Settable, "ozological", 2048},
      {8, "IsVolatile", Primitive, ZeroOrOne, Settable, "ozological", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<SharedAxisType, Ozo::Model const&>(),
      creation<SharedAxisType, Ozo::Model, SwRecordLayout, Axis, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSharedAxisType(kovo::COSPackage* package) {
  registerClass<SharedAxisTypeClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
