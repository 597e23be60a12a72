// Enumeration: a whole-number type whose values are named literals.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct EnumerationClass {
  using Intf = NSInterface::EnumerationIntf;
  using Immutable = ImmutableEnumeration;
  using Modifiable = Enumeration;
  using Meta = EnumerationMeta;
  static constexpr PropertyRow properties[] = {
      {1, "OwnedLiteral", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutableEnumerationLiteral", 0},
      {3, "DefaultValue", Primitive, ZeroOrOne, Settable, "ozodouble", 0},
      {4, "Length", ValueType<DataSize>, ExactlyOne, Settable, "Zorvan.metamodel.types.DataSize", 0},
      {5, "IsSigned", Primitive, ExactlyOne, Settable, "logical scalar", 0},
  };
  static constexpr MethodRow constructors[] = {
      creation<Enumeration, Ozo::Model const&>(),
      creation<Enumeration, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeEnumeration(kovo::COSPackage* package) { registerClass<EnumerationClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
