// Axis as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
//                 name                     kind        multiplicity  type                            composite
constexpr PropertyDef kOwn[] = {
    {"BaseType",               K::Element, M::ZeroOne, names::kPrimitiveType},
    {"SharedAxis",             K::Element, M::ZeroOne, names::kSharedAxisType},
    {"Dimensions",             K::Integer, M::One},
    {"InputVariableType",      K::Element, M::ZeroOne, names::kPrimitiveType},
    {"SymbolicDimensions",     K::String,  M::Many},
    {"SwGenericAxisParamType", K::Element, M::Many,    names::kSwGenericAxisParamType, true},
    {"Vf",                     K::Real,    M::Many},
};
}  // namespace

using I = NSInterface::AxisIntf;
constinit ClassDef const I::sClassDef =
    classDef("Axis", foundation::NSInterface::NamedElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Axis Axis::create(Ozo::Model const& model) { return Ozo::createElement<Axis>(model); }

Axis Axis::create(Ozo::Model model, Ozo::Integer dimensions, Ozo::String name) {
  Axis const x = createNamed<Axis>(model, name);
  x.setDimensions(dimensions);
  return x;
}

}  // namespace Zorvan::metamodel::types
