// Dimension: a physical dimension as exponents of base dimensions.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct DimensionClass {
  using Intf = NSInterface::DimensionIntf;
  using Immutable = ImmutableDimension;
  using Modifiable = Dimension;
  using Meta = DimensionMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Unit", ClassObject, Many, Settable, "Zorvan.metamodel.types.ImmutableSequenceOfImmutableUnit", 2048},
      {2, "BaseUnit", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableUnit", 2048},
      {3, "BaseDimension", ClassObject, Many, Settable, "Zorvan.metamodel.types.ImmutableSequenceOfImmutableDimension",
       2048},
      {4, "BaseExponent", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfInteger", 2048},
      {5, "Symbol", Text, ZeroOrOne, Settable, "char", 2048},
      {6, "DimensionExpression", Text, ExactlyOne, Settable, "char", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<Dimension, Ozo::Model const&>(),
      creation<Dimension, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeDimension(kovo::COSPackage* package) { registerClass<DimensionClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
