// SharedAxisType: an axis shared by several lookup tables.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SharedAxisTypeClass : TypesClass<SharedAxisType> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSharedAxisType";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1010>;
  static constexpr ShownProperty shown[] = {
      {1}, {2}, {3}, {4, kAttrMarked}, {5, kAttrMarked}, {6, kAttrMarked}, {7, kAttrMarked}, {8, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<SharedAxisType> {
  using Class = SharedAxisTypeClass;
};
template void registerElement<SharedAxisType>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
