// SwRecordLayout: how the values of lookup tables and shared axes are laid
// out in memory.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwRecordLayoutClass {
  using Intf = NSInterface::SwRecordLayoutIntf;
  using Immutable = ImmutableSwRecordLayout;
  using Modifiable = SwRecordLayout;
  using Meta = SwRecordLayoutMeta;
  static constexpr PropertyRow properties[] = {
      {1, "LookupTableType", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutableLookupTableType", 2048},
      {2, "SharedAxisType", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutableSharedAxisType", 2048},
      {3, "SwRecordLayoutGroup", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableSwRecordLayoutGroup",
       2048},
      {4, "String", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableString", 0},
  };
  static constexpr MethodRow constructors[] = {
      creation<SwRecordLayout, Ozo::Model const&>(),
      creation<SwRecordLayout, Ozo::Model, SwRecordLayoutGroup, String, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSwRecordLayout(kovo::COSPackage* package) { registerClass<SwRecordLayoutClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
