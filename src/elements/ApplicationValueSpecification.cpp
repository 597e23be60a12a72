// ApplicationValueSpecification: a value given as text in the application's own notation, with its dimensions.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ApplicationValueSpecificationClass : TypesClass<ApplicationValueSpecification> {
  using Intf = NSInterface::ApplicationValueSpecificationIntf;
  using Immutable = ImmutableApplicationValueSpecification;
  using Modifiable = ApplicationValueSpecification;
  using Meta = ApplicationValueSpecificationMeta;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}, {2, kAttrMarked}, {3}};
};
}  // namespace

template <>
void registerElement<ApplicationValueSpecification>(kovo::COSPackage* package) {
  registerClass<ApplicationValueSpecificationClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
