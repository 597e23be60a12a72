// DataConstr as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Unit", K::Element, M::ZeroOne, names::kUnit},
    {"PrimitiveType", K::Element, M::Many, names::kPrimitiveType},
};
}  // namespace

using I = NSInterface::DataConstrIntf;
constinit ClassDef const I::sClassDef =
    classDef("DataConstr", foundation::NSInterface::PackageableElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableUnit ImmutableDataConstr::getUnit() const { return prop::get<Intf, 1, ImmutableUnit>(*this); }
Ozo::Collection<ImmutablePrimitiveType> ImmutableDataConstr::getPrimitiveType() const {
  return prop::get<Intf, 2, Ozo::Collection<ImmutablePrimitiveType>>(*this);
}

DataConstr DataConstr::create(Ozo::Model const& model) { return Ozo::createElement<DataConstr>(model); }

DataConstr DataConstr::create(Ozo::Model model, Ozo::String name) { return createNamed<DataConstr>(model, name); }

}  // namespace Zorvan::metamodel::types
