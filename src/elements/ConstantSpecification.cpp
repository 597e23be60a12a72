// ConstantSpecification: a named constant and its value.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ConstantSpecificationClass : TypesClass<ConstantSpecification> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesConstantSpecification";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 824>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "constantExpression"}, {2}};
};
}  // namespace

template <>
struct ElementFile<ConstantSpecification> {
  using Class = ConstantSpecificationClass;
};
template void registerElement<ConstantSpecification>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
