// MatrixValueSpecification: a matrix value: cells, dense or sparse.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct MatrixValueSpecificationClass : TypesClass<MatrixValueSpecification> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesMatrixValueSpecification";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1123>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "ownedCell"}, {2, kAttrMarked, "isSparse"}};
};
}  // namespace

template <>
struct ElementFile<MatrixValueSpecification> {
  using Class = MatrixValueSpecificationClass;
};
template void registerElement<MatrixValueSpecification>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
