// EnumerationLiteral: one named value of an enumeration.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct EnumerationLiteralClass : TypesClass {
  using Intf = NSInterface::EnumerationLiteralIntf;
  using Immutable = ImmutableEnumerationLiteral;
  using Modifiable = EnumerationLiteral;
  using Meta = EnumerationLiteralMeta;
  static constexpr ShownProperty shown[] = {
      {1}, {2, kAttrMarked, "hasValidValue"}, {3, kAttrMarked, "isSecure"}, {6, kAttrMarked, "enumeration"},
  };
  static constexpr MethodRow constructors[] = {
      creation<EnumerationLiteral, Ozo::Model const&>(),
      creation<EnumerationLiteral, Ozo::Model, Ozo::Integer, Ozo::Integer, Enumeration, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeEnumerationLiteral(kovo::COSPackage* package) { registerClass<EnumerationLiteralClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
