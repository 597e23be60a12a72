// Cell: a matrix cell, placed by its index.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct CellClass : TypesClass<Cell> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesCell";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 709>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "index"}};
};
}  // namespace

template <>
struct ElementFile<Cell> {
  using Class = CellClass;
};
template void registerElement<Cell>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
