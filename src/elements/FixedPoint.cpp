// FixedPoint: a whole number scaled by a binary slope and offset by a bias.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct FixedPointClass {
  using Intf = NSInterface::FixedPointIntf;
  using Immutable = ImmutableFixedPoint;
  using Modifiable = FixedPoint;
  using Meta = FixedPointMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Length", ValueType<DataSize>, ExactlyOne, Settable, "Zorvan.metamodel.types.DataSize", 0},
      {2, "IsSigned", Primitive, ExactlyOne, Settable, "logical scalar", 0},
      {3, "FractionLength", ValueType<DataSize>, ZeroOrOne, Settable, "Zorvan.metamodel.types.DataSize", 0},
      {4, "Bias", Primitive, ZeroOrOne, Settable, "ozodouble", 0},
      {5, "FractionalSlope", Primitive, ZeroOrOne, Settable, "ozodouble", 0},
      {6, "slope", Primitive, ExactlyOne, ReadOnly, "double scalar", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<FixedPoint, Ozo::Model const&>(),
      creation<FixedPoint, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeFixedPoint(kovo::COSPackage* package) { registerClass<FixedPointClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
