// Matrix: an array of values of one base type.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct MatrixClass {
  using Intf = NSInterface::MatrixIntf;
  using Immutable = ImmutableMatrix;
  using Modifiable = Matrix;
  using Meta = MatrixMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Dimensions", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfInteger", 0},
      {2, "BaseType", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.foundation.ImmutableValueType", 0},
      {3, "IsApplication", Primitive, ExactlyOne, Settable, "logical scalar", 0},
      {4, "SymbolicDimensions", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfString", 0},
      {5, "Reference", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableMatrix", 2048},
      {6, "Qualifier", Text, ZeroOrOne, Settable, "char", 2048},
      {7, "IsConst", Primitive, ZeroOrOne, Settable, "ozological", 2048},
      {8, "IsVolatile", Primitive, ZeroOrOne, Settable, "ozological", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<Matrix, Ozo::Model const&>(),
      creation<Matrix, Ozo::Model, foundation::ValueType, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeMatrix(kovo::COSPackage* package) { registerClass<MatrixClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
