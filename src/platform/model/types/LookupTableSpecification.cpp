// LookupTableSpecification as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Axes", K::Element, M::Many, names::kLookupTableSpecification, kOwns},
};
}  // namespace

using I = NSInterface::LookupTableSpecificationIntf;
constinit ClassDef const I::sClassDef =
    classDef("LookupTableSpecification", NSInterface::ApplicationValueSpecificationIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableLookupTableSpecification> ImmutableLookupTableSpecification::getAxes() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableLookupTableSpecification>>(*this);
}

LookupTableSpecification LookupTableSpecification::create(Ozo::Model const& model) {
  return Ozo::createElement<LookupTableSpecification>(model);
}

LookupTableSpecification LookupTableSpecification::create(Ozo::Model model, Ozo::String name) {
  return createNamed<LookupTableSpecification>(model, name);
}

}  // namespace Zorvan::metamodel::types
