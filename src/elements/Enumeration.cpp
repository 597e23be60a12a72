// Enumeration: a whole-number type whose values are named literals.
#include "elements/ClassFile.hpp"
#include "values/PropHelper.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct EnumerationClass : TypesClass {
  using Intf = NSInterface::EnumerationIntf;
  using Immutable = ImmutableEnumeration;
  using Modifiable = Enumeration;
  using Meta = EnumerationMeta;
  static constexpr ShownProperty shown[] = {{1}, {3}, {4}, {5}};
  static constexpr MethodRow constructors[] = {
      creation<Enumeration, Ozo::Model const&>(),
      creation<Enumeration, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeEnumeration(kovo::COSPackage* package) { registerClass<EnumerationClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
