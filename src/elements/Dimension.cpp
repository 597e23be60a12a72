// Dimension: a physical dimension as exponents of base dimensions.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct DimensionClass : TypesClass<Dimension> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesDimension";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 870>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}, {2, kAttrMarked}, {3, kAttrMarked},
                                            {4, kAttrMarked}, {5, kAttrMarked}, {6, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<Dimension> {
  using Class = DimensionClass;
};
template void registerElement<Dimension>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
