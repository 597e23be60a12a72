// Complex: a complex number over a real base type.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ComplexClass {
  using Intf = NSInterface::ComplexIntf;
  using Immutable = ImmutableComplex;
  using Modifiable = Complex;
  using Meta = ComplexMeta;
  static constexpr PropertyRow properties[] = {
      {1, "BaseType", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableReal", 0},
      {2, "Qualifier", Text, ZeroOrOne, Settable, "char", 2048},
      {3, "IsConst", Primitive, ZeroOrOne, Settable, "ozological", 2048},
      {4, "IsVolatile", Primitive, ZeroOrOne, Settable, "ozological", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<Complex, Ozo::Model const&>(),
      creation<Complex, Ozo::Model, Real, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeComplex(kovo::COSPackage* package) { registerClass<ComplexClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
