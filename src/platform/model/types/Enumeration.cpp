// Enumeration as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"OwnedLiteral", K::Element, M::Many, names::kEnumerationLiteral, kOwns},
    {"GroundValue", K::Real, M::One, nullptr, false, kReadOnly, D::Rule, &rules::groundValue},
    {"DefaultValue", K::Real, M::ZeroOne},
    {"Length", K::Value, M::One, names::kDataSize},
    {"IsSigned", K::Boolean, M::One},
};
}  // namespace

using I = NSInterface::EnumerationIntf;
constinit ClassDef const I::sClassDef = classDef("Enumeration", NSInterface::RealIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableEnumerationLiteral> ImmutableEnumeration::getOwnedLiteral() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableEnumerationLiteral>>(*this);
}

Enumeration Enumeration::create(Ozo::Model const& model) { return Ozo::createElement<Enumeration>(model); }

Enumeration Enumeration::create(Ozo::Model model, Ozo::String name) { return createNamed<Enumeration>(model, name); }

}  // namespace Zorvan::metamodel::types
