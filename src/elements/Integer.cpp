// Integer: a whole-number primitive type.
#include "elements/ClassFile.hpp"
#include "values/PropHelper.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct IntegerClass : TypesClass {
  using Intf = NSInterface::IntegerIntf;
  using Immutable = ImmutableInteger;
  using Modifiable = Integer;
  using Meta = IntegerMeta;
  static constexpr ShownProperty shown[] = {{1}, {2}};
  static constexpr MethodRow constructors[] = {
      creation<Integer, Ozo::Model const&>(),
      creation<Integer, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeInteger(kovo::COSPackage* package) { registerClass<IntegerClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
