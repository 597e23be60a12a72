// Slot: the value of one structure element.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SlotClass : TypesClass {
  using Intf = NSInterface::SlotIntf;
  using Immutable = ImmutableSlot;
  using Modifiable = Slot;
  using Meta = SlotMeta;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "structElement"}};
  static constexpr MethodRow constructors[] = {
      creation<Slot, Ozo::Model const&>(),
      creation<Slot, Ozo::Model, CompositeSpecification, foundation::ValueSpecification, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSlot(kovo::COSPackage* package) { registerClass<SlotClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
