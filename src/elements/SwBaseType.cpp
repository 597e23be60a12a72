// SwBaseType: the machine representation behind primitive types.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwBaseTypeClass : TypesClass<SwBaseType> {
  using Intf = NSInterface::SwBaseTypeIntf;
  using Immutable = ImmutableSwBaseType;
  using Modifiable = SwBaseType;
  using Meta = SwBaseTypeMeta;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}};
};
}  // namespace

template <>
void registerElement<SwBaseType>(kovo::COSPackage* package) {
  registerClass<SwBaseTypeClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
