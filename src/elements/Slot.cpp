// Slot: the value of one structure element.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SlotClass : TypesClass<Slot> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSlot";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1215>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "structElement"}};
};
}  // namespace

template <>
struct ElementFile<Slot> {
  using Class = SlotClass;
};
template void registerElement<Slot>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
