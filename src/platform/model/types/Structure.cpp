// Structure as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Elements", K::Element, M::Many, names::kStructElement, kOwns, false, D::None, nullptr, "OwnedMember"},
    {"IsApplication", K::Boolean, M::One},
    {"Reference", K::Element, M::ZeroOne, names::kStructure},
    {"Qualifier", K::String, M::ZeroOne},
    {"IsConst", K::Boolean, M::ZeroOne},
    {"IsVolatile", K::Boolean, M::ZeroOne},
};
}  // namespace

using I = NSInterface::StructureIntf;
constinit ClassDef const I::sClassDef =
    classDef("Structure", foundation::NSInterface::ValueTypeIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableStructElement> ImmutableStructure::getElements() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableStructElement>>(*this);
}
ImmutableStructure ImmutableStructure::getReference() const { return prop::get<Intf, 3, ImmutableStructure>(*this); }

Structure Structure::create(Ozo::Model const& model) { return Ozo::createElement<Structure>(model); }

Structure Structure::create(Ozo::Model model, Ozo::String name) { return createNamed<Structure>(model, name); }

}  // namespace Zorvan::metamodel::types
