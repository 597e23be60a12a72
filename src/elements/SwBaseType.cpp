// SwBaseType: the machine representation behind primitive types.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwBaseTypeClass : TypesClass<SwBaseType> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwBaseType";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1353>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<SwBaseType> {
  using Class = SwBaseTypeClass;
};
template void registerElement<SwBaseType>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
