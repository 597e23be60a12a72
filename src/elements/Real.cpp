// Real: a primitive type with a range (abstract).
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct RealClass {
  using Intf = NSInterface::RealIntf;
  using Immutable = ImmutableReal;
  using Modifiable = Real;
  using Meta = RealMeta;
  static constexpr PropertyRow properties[] = {
      {1, "minValue", Primitive, ZeroOrOne, Settable, "ozodouble", 2048},
      {2, "maxValue", Primitive, ZeroOrOne, Settable, "ozodouble", 2048},
      {3, "isMinOpen", Primitive, ExactlyOne, Settable, "logical scalar", 2048},
      {4, "isMaxOpen", Primitive, ExactlyOne, Settable, "logical scalar", 2048},
  };
};
}  // namespace

void staticInitializeReal(kovo::COSPackage* package) { registerClass<RealClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
