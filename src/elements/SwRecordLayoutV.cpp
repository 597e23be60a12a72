// SwRecordLayoutV: one value entry of a record layout group.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwRecordLayoutVClass : TypesClass<SwRecordLayoutV> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwRecordLayoutV";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1445>;
  static constexpr ShownProperty shown[] = {
      {1, kAttrMarked}, {2, kAttrMarked}, {3, kAttrMarked}, {4, kAttrMarked}, {5, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<SwRecordLayoutV> {
  using Class = SwRecordLayoutVClass;
};
template void registerElement<SwRecordLayoutV>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
