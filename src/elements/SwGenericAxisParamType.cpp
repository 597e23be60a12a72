// SwGenericAxisParamType: a parameter of a generic axis.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
// Category (index 1, a SwGenericAxisParamTypeCategory value) joins when
// value-typed properties do.
struct SwGenericAxisParamTypeClass {
  using Intf = NSInterface::SwGenericAxisParamTypeIntf;
  using Immutable = ImmutableSwGenericAxisParamType;
  using Modifiable = SwGenericAxisParamType;
  using Meta = SwGenericAxisParamTypeMeta;
  static constexpr MethodRow constructors[] = {
      creation<SwGenericAxisParamType, Ozo::Model const&>(),
      creation<SwGenericAxisParamType, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSwGenericAxisParamType(kovo::COSPackage* package) {
  registerClass<SwGenericAxisParamTypeClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
