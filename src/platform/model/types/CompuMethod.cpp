// CompuMethod as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Category", K::Value, M::One, names::kCompuMethodCategory},
    {"Unit", K::Element, M::ZeroOne, names::kUnit},
    {"DisplayFormat", K::String, M::One},
    {"CalToInternalCompuNumerator", K::Real, M::Many},
    {"CalToInternalCompuDenominator", K::Real, M::Many},
    {"PrimitiveType", K::Element, M::Many, names::kPrimitiveType},
};
}  // namespace

using I = NSInterface::CompuMethodIntf;
constinit ClassDef const I::sClassDef =
    classDef("CompuMethod", foundation::NSInterface::PackageableElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableUnit ImmutableCompuMethod::getUnit() const { return prop::get<Intf, 2, ImmutableUnit>(*this); }
Ozo::Collection<ImmutablePrimitiveType> ImmutableCompuMethod::getPrimitiveType() const {
  return prop::get<Intf, 6, Ozo::Collection<ImmutablePrimitiveType>>(*this);
}

CompuMethod CompuMethod::create(Ozo::Model const& model) { return Ozo::createElement<CompuMethod>(model); }

CompuMethod CompuMethod::create(Ozo::Model model, Ozo::String displayFormat, Ozo::String name) {
  CompuMethod const x = createNamed<CompuMethod>(model, name);
  x.setDisplayFormat(displayFormat);
  return x;
}

}  // namespace Zorvan::metamodel::types
