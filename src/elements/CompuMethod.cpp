// CompuMethod: how internal values convert to physical ones.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct CompuMethodClass : TypesClass<CompuMethod> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesCompuMethod";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 778>;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}, {4, kAttrMarked}, {5, kAttrMarked}, {6, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<CompuMethod> {
  using Class = CompuMethodClass;
};
template void registerElement<CompuMethod>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
