// FloatingPoint: a floating-point number of a given precision.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct FloatingPointClass {
  using Intf = NSInterface::FloatingPointIntf;
  using Immutable = ImmutableFloatingPoint;
  using Modifiable = FloatingPoint;
  using Meta = FloatingPointMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Kind", ValueType<FloatingPointKind>, ExactlyOne, Settable, "Zorvan.metamodel.types.FloatingPointKind", 0},
  };
  static constexpr MethodRow constructors[] = {
      creation<FloatingPoint, Ozo::Model const&>(),
      creation<FloatingPoint, Ozo::Model, FloatingPointKind, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeFloatingPoint(kovo::COSPackage* package) { registerClass<FloatingPointClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
