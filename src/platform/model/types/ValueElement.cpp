// ValueElement as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"OwningComposite", K::Element, M::One, names::kCompositeSpecification, false, false, D::Container, nullptr},
    {"Value", K::Element, M::One, names::kFoundationValueSpecification, kOwns},
};
}  // namespace

using I = NSInterface::ValueElementIntf;
constinit ClassDef const I::sClassDef =
    classDef("ValueElement", foundation::NSInterface::NamedElementIntf::sClassDef, kOwn, kAbstract);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableCompositeSpecification ImmutableValueElement::getOwningComposite() const {
  return prop::get<Intf, 1, ImmutableCompositeSpecification>(*this);
}

}  // namespace Zorvan::metamodel::types
