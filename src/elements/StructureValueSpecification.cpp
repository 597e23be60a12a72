// StructureValueSpecification: a structure value: one slot per structure element.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct StructureValueSpecificationClass : TypesClass<StructureValueSpecification> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesStructureValueSpecification";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1307>;
  static constexpr ShownProperty shown[] = {{1}};
};
}  // namespace

template <>
struct ElementFile<StructureValueSpecification> {
  using Class = StructureValueSpecificationClass;
};
template void registerElement<StructureValueSpecification>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
