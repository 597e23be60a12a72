// ValueElement: one owned part of a composite value.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ValueElementClass : TypesClass<ValueElement> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesValueElement";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1491>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "owningComposite"}, {2}};
};
}  // namespace

template <>
struct ElementFile<ValueElement> {
  using Class = ValueElementClass;
};
template void registerElement<ValueElement>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
