// LookupTableType: a table of values looked up along its axes.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct LookupTableTypeClass {
  using Intf = NSInterface::LookupTableTypeIntf;
  using Immutable = ImmutableLookupTableType;
  using Modifiable = LookupTableType;
  using Meta = LookupTableTypeMeta;
  static constexpr PropertyRow properties[] = {
      {1, "SwRecordLayout", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableSwRecordLayout", 0},
      {2, "BaseType", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutablePrimitiveType", 2048},
      {3, "Axes", ClassObject, Many, Settable, "Zorvan.metamodel.types.ImmutableSequenceOfImmutableAxis", 0},
      {4, "Dimensions", Primitive, ExactlyOne, ReadOnly, "int32 scalar", 0},
      {5, "Category", Text, ExactlyOne, ReadOnly, "char", 0},
      {6, "IsApplication", Primitive, ExactlyOne, ReadOnly, "logical scalar", 0},
      {7, "ValueAxisDataType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutablePrimitiveType", 2048},
      {8, "Qualifier", Text, ZeroOrOne, Settable, "char", 2048},
      {9, "IsConst", Primitive, ZeroOrOne, Settable, "ozological", 2048},
      {10, "IsVolatile", Primitive, ZeroOrOne, Settable, "ozological", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<LookupTableType, Ozo::Model const&>(),
      creation<LookupTableType, Ozo::Model, SwRecordLayout, PrimitiveType, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeLookupTableType(kovo::COSPackage* package) { registerClass<LookupTableTypeClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
