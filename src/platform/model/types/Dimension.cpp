// Dimension as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Unit", K::Element, M::Many, names::kUnit},
    {"BaseUnit", K::Element, M::ZeroOne, names::kUnit},
    {"BaseDimension", K::Element, M::Many, names::kDimension},
    {"BaseExponent", K::Integer, M::Many},
    {"Symbol", K::String, M::ZeroOne},
    {"DimensionExpression", K::String, M::One},
};
}  // namespace

using I = NSInterface::DimensionIntf;
constinit ClassDef const I::sClassDef =
    classDef("Dimension", foundation::NSInterface::PackageableElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableUnit> ImmutableDimension::getUnit() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableUnit>>(*this);
}
ImmutableUnit ImmutableDimension::getBaseUnit() const { return prop::get<Intf, 2, ImmutableUnit>(*this); }
Ozo::Collection<ImmutableDimension> ImmutableDimension::getBaseDimension() const {
  return prop::get<Intf, 3, Ozo::Collection<ImmutableDimension>>(*this);
}

Dimension Dimension::create(Ozo::Model const& model) { return Ozo::createElement<Dimension>(model); }

Dimension Dimension::create(Ozo::Model model, Ozo::String name) { return createNamed<Dimension>(model, name); }

}  // namespace Zorvan::metamodel::types
