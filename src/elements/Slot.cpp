// Slot: the value of one structure element.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SlotClass {
  using Intf = NSInterface::SlotIntf;
  using Immutable = ImmutableSlot;
  using Modifiable = Slot;
  using Meta = SlotMeta;
  static constexpr PropertyRow properties[] = {
      {1, "structElement", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableStructElement", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<Slot, Ozo::Model const&>(),
      creation<Slot, Ozo::Model, CompositeSpecification, foundation::ValueSpecification, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSlot(kovo::COSPackage* package) { registerClass<SlotClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
