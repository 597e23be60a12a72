// MatrixValueSpecification: a matrix value: cells, dense or sparse.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct MatrixValueSpecificationClass : TypesClass<MatrixValueSpecification> {
  using Intf = NSInterface::MatrixValueSpecificationIntf;
  using Immutable = ImmutableMatrixValueSpecification;
  using Modifiable = MatrixValueSpecification;
  using Meta = MatrixValueSpecificationMeta;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "ownedCell"}, {2, kAttrMarked, "isSparse"}};
};
}  // namespace

template <>
void registerElement<MatrixValueSpecification>(kovo::COSPackage* package) {
  registerClass<MatrixValueSpecificationClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
