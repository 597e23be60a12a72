// CompuMethod: how internal values convert to physical ones.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct CompuMethodClass {
  using Intf = NSInterface::CompuMethodIntf;
  using Immutable = ImmutableCompuMethod;
  using Modifiable = CompuMethod;
  using Meta = CompuMethodMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Category", ValueType<CompuMethodCategory>, ExactlyOne, Settable,
       "Zorvan.metamodel.types.CompuMethodCategory", 0},
      {2, "Unit", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableUnit", 0},
      {3, "DisplayFormat", Text, ExactlyOne, Settable, "char", 0},
      {4, "CalToInternalCompuNumerator", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfReal", 2048},
      {5, "CalToInternalCompuDenominator", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfReal", 2048},
      {6, "PrimitiveType", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutablePrimitiveType", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<CompuMethod, Ozo::Model const&>(),
      creation<CompuMethod, Ozo::Model, Ozo::String, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeCompuMethod(kovo::COSPackage* package) { registerClass<CompuMethodClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
