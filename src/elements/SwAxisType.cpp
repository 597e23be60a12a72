// SwAxisType: a group of generic axis parameters.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwAxisTypeClass : TypesClass<SwAxisType> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwAxisType";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1330>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<SwAxisType> {
  using Class = SwAxisTypeClass;
};
template void registerElement<SwAxisType>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
