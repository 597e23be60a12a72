// StructureValueSpecification as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"OwnedSlot", K::Element, M::Many, names::kSlot, kOwns, false, D::None, nullptr, "OwnedValue"},
};
}  // namespace

using I = NSInterface::StructureValueSpecificationIntf;
constinit ClassDef const I::sClassDef =
    classDef("StructureValueSpecification", NSInterface::CompositeSpecificationIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableSlot> ImmutableStructureValueSpecification::getOwnedSlot() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableSlot>>(*this);
}

StructureValueSpecification StructureValueSpecification::create(Ozo::Model const& model) {
  return Ozo::createElement<StructureValueSpecification>(model);
}

StructureValueSpecification StructureValueSpecification::create(Ozo::Model model, Ozo::String name) {
  return createNamed<StructureValueSpecification>(model, name);
}

}  // namespace Zorvan::metamodel::types
