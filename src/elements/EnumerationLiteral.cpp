// EnumerationLiteral: one named value of an enumeration.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct EnumerationLiteralClass {
  using Intf = NSInterface::EnumerationLiteralIntf;
  using Immutable = ImmutableEnumerationLiteral;
  using Modifiable = EnumerationLiteral;
  using Meta = EnumerationLiteralMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Value", Primitive, ExactlyOne, Settable, "int32 scalar", 0},
      {2, "hasValidValue", Primitive, ExactlyOne, ReadOnly, "logical scalar", 2048},
      {3, "isSecure", Primitive, ExactlyOne, ReadOnly, "logical scalar", 2048},
      {6, "enumeration", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableEnumeration", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<EnumerationLiteral, Ozo::Model const&>(),
      creation<EnumerationLiteral, Ozo::Model, Ozo::Integer, Ozo::Integer, Enumeration, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeEnumerationLiteral(kovo::COSPackage* package) { registerClass<EnumerationLiteralClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
