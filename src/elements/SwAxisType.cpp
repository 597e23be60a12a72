// SwAxisType: a group of generic axis parameters.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwAxisTypeClass : TypesClass {
  using Intf = NSInterface::SwAxisTypeIntf;
  using Immutable = ImmutableSwAxisType;
  using Modifiable = SwAxisType;
  using Meta = SwAxisTypeMeta;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}};
  static constexpr MethodRow constructors[] = {
      creation<SwAxisType, Ozo::Model const&>(),
      creation<SwAxisType, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSwAxisType(kovo::COSPackage* package) { registerClass<SwAxisTypeClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
