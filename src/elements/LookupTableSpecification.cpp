// LookupTableSpecification: the value of a lookup table, with the values of its axes.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct LookupTableSpecificationClass : TypesClass<LookupTableSpecification> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesLookupTableSpecification";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1054>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<LookupTableSpecification> {
  using Class = LookupTableSpecificationClass;
};
template void registerElement<LookupTableSpecification>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
