// SwAxisType: a group of generic axis parameters.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwAxisTypeClass {
  using Intf = NSInterface::SwAxisTypeIntf;
  using Immutable = ImmutableSwAxisType;
  using Modifiable = SwAxisType;
  using Meta = SwAxisTypeMeta;
  static constexpr PropertyRow properties[] = {
      {1, "SwAxisParamType", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutableSwGenericAxisParamType", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<SwAxisType, Ozo::Model const&>(),
      creation<SwAxisType, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSwAxisType(kovo::COSPackage* package) { registerClass<SwAxisTypeClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
