// Enumeration: a whole-number type whose values are named literals.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct EnumerationClass : TypesClass<Enumeration> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesEnumeration";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 893>;
  static constexpr ShownProperty shown[] = {{1}, {3}, {4}, {5}};
};
}  // namespace

template <>
struct ElementFile<Enumeration> {
  using Class = EnumerationClass;
};
template void registerElement<Enumeration>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
