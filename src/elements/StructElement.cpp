// StructElement: one element of a structure.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct StructElementClass : TypesClass<StructElement> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesStructElement";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1261>;
  static constexpr ShownProperty shown[] = {{1}, {3, kAttrMarked}, {4}};
};
}  // namespace

template <>
struct ElementFile<StructElement> {
  using Class = StructElementClass;
};
template void registerElement<StructElement>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
