// Axis as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"BaseType", K::Element, M::ZeroOne, names::kPrimitiveType},
    {"SharedAxis", K::Element, M::ZeroOne, names::kSharedAxisType},
    {"Dimensions", K::Integer, M::One},
    {"InputVariableType", K::Element, M::ZeroOne, names::kPrimitiveType},
    {"SymbolicDimensions", K::String, M::Many},
    {"SwGenericAxisParamType", K::Element, M::Many, names::kSwGenericAxisParamType, kOwns},
    {"Vf", K::Real, M::Many},
};
}  // namespace

using I = NSInterface::AxisIntf;
constinit ClassDef const I::sClassDef =
    classDef("Axis", foundation::NSInterface::NamedElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutablePrimitiveType ImmutableAxis::getBaseType() const { return prop::get<Intf, 1, ImmutablePrimitiveType>(*this); }
ImmutableSharedAxisType ImmutableAxis::getSharedAxis() const {
  return prop::get<Intf, 2, ImmutableSharedAxisType>(*this);
}
ImmutablePrimitiveType ImmutableAxis::getInputVariableType() const {
  return prop::get<Intf, 4, ImmutablePrimitiveType>(*this);
}
Ozo::Collection<ImmutableSwGenericAxisParamType> ImmutableAxis::getSwGenericAxisParamType() const {
  return prop::get<Intf, 6, Ozo::Collection<ImmutableSwGenericAxisParamType>>(*this);
}

Axis Axis::create(Ozo::Model const& model) { return Ozo::createElement<Axis>(model); }

Axis Axis::create(Ozo::Model model, Ozo::Integer dimensions, Ozo::String name) {
  Axis const x = createNamed<Axis>(model, name);
  x.setDimensions(dimensions);
  return x;
}

}  // namespace Zorvan::metamodel::types
