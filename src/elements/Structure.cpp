// Structure: a record of named, typed elements.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct StructureClass : TypesClass<Structure> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesStructure";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1284>;
  static constexpr ShownProperty shown[] = {
      {1}, {2}, {3, kAttrMarked}, {4, kAttrMarked}, {5, kAttrMarked}, {6, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<Structure> {
  using Class = StructureClass;
};
template void registerElement<Structure>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
