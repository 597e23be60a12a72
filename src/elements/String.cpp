// String: text of a bounded size.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct StringClass {
  using Intf = NSInterface::StringIntf;
  using Immutable = ImmutableString;
  using Modifiable = String;
  using Meta = StringMeta;
  static constexpr PropertyRow properties[] = {
      {1, "SwFillCharacter", Primitive, ZeroOrOne, Settable, "ozoint32", 0},
      {2, "SwMaxTextSize", Primitive, ExactlyOne, Settable, "int32 scalar", 0},
      {3, "IsVariableSize", Primitive, ExactlyOne, Settable, "logical scalar", 0},
      {4, "SwRecordLayout", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableSwRecordLayout", 0},
      {6, "Category", Text, ExactlyOne, ReadOnly, "char", 0},
  };
  static constexpr MethodRow constructors[] = {
      creation<String, Ozo::Model const&>(),
      creation<String, Ozo::Model, Ozo::Integer, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeString(kovo::COSPackage* package) { registerClass<StringClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
