// StructElement as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Structure", K::Element, M::One, names::kStructure, false, false, D::Container, nullptr, "Namespace"},
    {"Type", K::Element, M::ZeroOne, names::kFoundationValueType},
    {"InlineType", K::Element, M::ZeroOne, names::kFoundationValueType, kOwns},
    {"ReferencedType", K::Element, M::One, names::kFoundationValueType, false, kReadOnly, D::Rule,
     &rules::referencedType},
};
}  // namespace

using I = NSInterface::StructElementIntf;
constinit ClassDef const I::sClassDef =
    classDef("StructElement", foundation::NSInterface::TypedElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableStructure ImmutableStructElement::getStructure() const {
  return prop::get<Intf, 1, ImmutableStructure>(*this);
}

StructElement StructElement::create(Ozo::Model const& model) { return Ozo::createElement<StructElement>(model); }

StructElement StructElement::create(Ozo::Model model, Structure structure, Ozo::String name) {
  checkLinkable(model, "StructElement", structure);
  StructElement const x = createNamed<StructElement>(model, name);
  x.setStructure(structure);
  return x;
}

}  // namespace Zorvan::metamodel::types
