// SwRecordLayoutGroup: a group of a record layout, possibly nested.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwRecordLayoutGroupClass : TypesClass<SwRecordLayoutGroup> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwRecordLayoutGroup";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1422>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}, {2, kAttrMarked}, {3, kAttrMarked},
                                            {4, kAttrMarked}, {5, kAttrMarked}, {6, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<SwRecordLayoutGroup> {
  using Class = SwRecordLayoutGroupClass;
};
template void registerElement<SwRecordLayoutGroup>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
