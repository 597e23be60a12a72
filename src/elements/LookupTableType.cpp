// LookupTableType: a table of values looked up along its axes.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct LookupTableTypeClass : TypesClass<LookupTableType> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesLookupTableType";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1077>;
  static constexpr ShownProperty shown[] = {{1},
                                            {2, kAttrMarked},
                                            {3},
                                            {4},
                                            {5},
                                            {6},
                                            {7, kAttrMarked},
                                            {8, kAttrMarked},
                                            {9, kAttrMarked},
                                            {10, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<LookupTableType> {
  using Class = LookupTableTypeClass;
};
template void registerElement<LookupTableType>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
