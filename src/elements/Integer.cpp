// Integer: a whole-number primitive type.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct IntegerClass {
  using Intf = NSInterface::IntegerIntf;
  using Immutable = ImmutableInteger;
  using Modifiable = Integer;
  using Meta = IntegerMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Length", ValueType<DataSize>, ExactlyOne, Settable, "Zorvan.metamodel.types.DataSize", 0},
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
