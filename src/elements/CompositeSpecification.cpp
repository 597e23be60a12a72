// CompositeSpecification: a value made of owned value elements.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct CompositeSpecificationClass : TypesClass<CompositeSpecification> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesCompositeSpecification";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 755>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "ownedValue"}};
};
}  // namespace

template <>
struct ElementFile<CompositeSpecification> {
  using Class = CompositeSpecificationClass;
};
template void registerElement<CompositeSpecification>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
