// MatrixValueSpecification: a matrix value: cells, dense or sparse.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct MatrixValueSpecificationClass {
  using Intf = NSInterface::MatrixValueSpecificationIntf;
  using Immutable = ImmutableMatrixValueSpecification;
  using Modifiable = MatrixValueSpecification;
  using Meta = MatrixValueSpecificationMeta;
  static constexpr PropertyRow properties[] = {
      {1, "ownedCell", ClassObject, Many, Settable, "Zorvan.metamodel.types.ImmutableSequenceOfImmutableCell", 2048},
      {2, "isSparse", Primitive, ExactlyOne, Settable, "logical scalar", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<MatrixValueSpecification, Ozo::Model const&>(),
      creation<MatrixValueSpecification, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeMatrixValueSpecification(kovo::COSPackage* package) {
  registerClass<MatrixValueSpecificationClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
