// SwBaseType: the machine representation behind primitive types.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwBaseTypeClass {
  using Intf = NSInterface::SwBaseTypeIntf;
  using Immutable = ImmutableSwBaseType;
  using Modifiable = SwBaseType;
  using Meta = SwBaseTypeMeta;
  static constexpr PropertyRow properties[] = {
      {1, "PrimitiveType", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutablePrimitiveType", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<SwBaseType, Ozo::Model const&>(),
      creation<SwBaseType, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSwBaseType(kovo::COSPackage* package) { registerClass<SwBaseTypeClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
