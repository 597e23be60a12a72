// VoidPointer: an untyped pointer.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct VoidPointerClass : TypesClass<VoidPointer> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesVoidPointer";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1514>;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}, {4, kAttrMarked}, {5, kAttrMarked}, {6, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<VoidPointer> {
  using Class = VoidPointerClass;
};
template void registerElement<VoidPointer>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
