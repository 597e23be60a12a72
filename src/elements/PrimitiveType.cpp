// PrimitiveType: the base of the primitive data types (abstract).
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct PrimitiveTypeClass : TypesClass<PrimitiveType> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesPrimitiveType";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1212>;
  static constexpr ShownProperty shown[] = {
      {1, kAttrMarked}, {2}, {3}, {4}, {5}, {6, kAttrMarked}, {7, kAttrMarked}, {8, kAttrMarked}, {9, kAttrMarked},
      {10, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<PrimitiveType> {
  using Class = PrimitiveTypeClass;
};
template void registerElement<PrimitiveType>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
