// Boolean: a two-valued primitive type.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct BooleanClass {
  using Intf = NSInterface::BooleanIntf;
  using Immutable = ImmutableBoolean;
  using Modifiable = Boolean;
  using Meta = BooleanMeta;
  static constexpr MethodRow constructors[] = {
      creation<Boolean, Ozo::Model const&>(),
      creation<Boolean, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeBoolean(kovo::COSPackage* package) { registerClass<BooleanClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
