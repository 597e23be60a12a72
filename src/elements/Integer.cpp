// Integer: a whole-number primitive type.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
// Length (index 1, a DataSize value) joins when value-typed properties do.
struct IntegerClass {
  using Intf = NSInterface::IntegerIntf;
  using Immutable = ImmutableInteger;
  using Modifiable = Integer;
  using Meta = IntegerMeta;
  static constexpr PropertyRow properties[] = {
      {2, "IsSigned", Primitive, ExactlyOne, Settable, "logical scalar", 0},
  };
  static constexpr MethodRow constructors[] = {
      creation<Integer, Ozo::Model const&>(),
      creation<Integer, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeInteger(kovo::COSPackage* package) { registerClass<IntegerClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
