// Slot as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"StructElement", K::Element, M::ZeroOne, names::kStructElement},
};
}  // namespace

using I = NSInterface::SlotIntf;
constinit ClassDef const I::sClassDef = classDef("Slot", NSInterface::ValueElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableStructElement ImmutableSlot::getStructElement() const {
  return prop::get<Intf, 1, ImmutableStructElement>(*this);
}

Slot Slot::create(Ozo::Model const& model) { return Ozo::createElement<Slot>(model); }

Slot Slot::create(Ozo::Model model, CompositeSpecification owningComposite, foundation::ValueSpecification value,
                  Ozo::String name) {
  return createValueElement<Slot>(model, "Slot", owningComposite, value, name);
}

}  // namespace Zorvan::metamodel::types
