// CompositeSpecification: a value made of owned value elements.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct CompositeSpecificationClass {
  using Intf = NSInterface::CompositeSpecificationIntf;
  using Immutable = ImmutableCompositeSpecification;
  using Modifiable = CompositeSpecification;
  using Meta = CompositeSpecificationMeta;
  static constexpr PropertyRow properties[] = {
      {1, "ownedValue", ClassObject, Many, Settable, "Zorvan.metamodel.types.ImmutableSequenceOfImmutableValueElement",
       2048},
  };
};
}  // namespace

void staticInitializeCompositeSpecification(kovo::COSPackage* package) {
  registerClass<CompositeSpecificationClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
