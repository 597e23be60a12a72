// Integer: a whole-number primitive type.
#include "elements/Registration.hpp"
#include "elements/TypesMeta.hpp"
#include "marshal/PrimitiveProperties.hpp"
#include "values/PropHelper.hpp"
#include <xb/ElementClass.hpp>

namespace Zorvan::metamodel::types::xb {

namespace {
using namespace Ozo::xb;
using namespace Ozo::xb::kinds;
using enum Ozo::xb::Multiplicity;
using enum Ozo::xb::Mutability;

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

void staticInitializeInteger(kovo::COSPackage* package) { registerElementClass<IntegerClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
