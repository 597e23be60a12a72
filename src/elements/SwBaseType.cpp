// SwBaseType: the machine representation behind primitive types.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwBaseTypeClass : TypesClass {
  using Intf = NSInterface::SwBaseTypeIntf;
  using Immutable = ImmutableSwBaseType;
  using Modifiable = SwBaseType;
  using Meta = SwBaseTypeMeta;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}};
  static constexpr MethodRow constructors[] = {
      creation<SwBaseType, Ozo::Model const&>(),
      creation<SwBaseType, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSwBaseType(kovo::COSPackage* package) { registerClass<SwBaseTypeClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
