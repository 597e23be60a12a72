// ApplicationValueSpecification: a value given as text in the application's own notation, with its dimensions.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ApplicationValueSpecificationClass {
  using Intf = NSInterface::ApplicationValueSpecificationIntf;
  using Immutable = ImmutableApplicationValueSpecification;
  using Modifiable = ApplicationValueSpecification;
  using Meta = ApplicationValueSpecificationMeta;
  static constexpr PropertyRow properties[] = {
      {1, "V", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfString", 2048},
      {2, "Dimensions", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfInteger", 2048},
      {3, "Category", Text, ZeroOrOne, Settable, "char", 0},
  };
  static constexpr MethodRow constructors[] = {
      creation<ApplicationValueSpecification, Ozo::Model const&>(),
      creation<ApplicationValueSpecification, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeApplicationValueSpecification(kovo::COSPackage* package) {
  registerClass<ApplicationValueSpecificationClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
