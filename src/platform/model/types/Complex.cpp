// Complex as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"BaseType", K::Element, M::One, names::kReal},
    {"Qualifier", K::String, M::ZeroOne},
    {"IsConst", K::Boolean, M::ZeroOne},
    {"IsVolatile", K::Boolean, M::ZeroOne},
};
}  // namespace

using I = NSInterface::ComplexIntf;
constinit ClassDef const I::sClassDef =
    classDef("Complex", foundation::NSInterface::ValueTypeIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableReal ImmutableComplex::getBaseType() const { return prop::get<Intf, 1, ImmutableReal>(*this); }

Complex Complex::create(Ozo::Model const& model) { return Ozo::createElement<Complex>(model); }

Complex Complex::create(Ozo::Model model, Real baseType, Ozo::String name) {
  Complex const x = createNamed<Complex>(model, name);
  x.setBaseType(baseType);
  return x;
}

}  // namespace Zorvan::metamodel::types
