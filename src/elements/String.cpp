// String: text of a bounded size.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct StringClass : TypesClass<String> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesString";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1238>;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}, {4}, {6}};
};
}  // namespace

template <>
struct ElementFile<String> {
  using Class = StringClass;
};
template void registerElement<String>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
