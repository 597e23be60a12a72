// SwRecordLayout: how the values of lookup tables and shared axes are laid
// out in memory.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwRecordLayoutClass : TypesClass<SwRecordLayout> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwRecordLayout";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 688>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}, {2, kAttrMarked}, {3, kAttrMarked}, {4}};
};
}  // namespace

template <>
struct ElementFile<SwRecordLayout> {
  using Class = SwRecordLayoutClass;
};
template void registerElement<SwRecordLayout>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
