// CompositeSpecification as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"OwnedValue", K::Element, M::Many, names::kValueElement, kOwns},
};
}  // namespace

using I = NSInterface::CompositeSpecificationIntf;
constinit ClassDef const I::sClassDef =
    classDef("CompositeSpecification", foundation::NSInterface::ValueSpecificationIntf::sClassDef, kOwn, kAbstract);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableValueElement> ImmutableCompositeSpecification::getOwnedValue() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableValueElement>>(*this);
}

}  // namespace Zorvan::metamodel::types
