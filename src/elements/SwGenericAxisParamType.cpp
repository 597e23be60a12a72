// SwGenericAxisParamType: a parameter of a generic axis.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwGenericAxisParamTypeClass {
  using Intf = NSInterface::SwGenericAxisParamTypeIntf;
  using Immutable = ImmutableSwGenericAxisParamType;
  using Modifiable = SwGenericAxisParamType;
  using Meta = SwGenericAxisParamTypeMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Category", ValueType<SwGenericAxisParamTypeCategory>, ExactlyOne, Settable,
       "Zorvan.metamodel.types.SwGenericAxisParamTypeCategory", 0},
  };
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
