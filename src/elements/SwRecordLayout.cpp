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
  // LookupTableType's sequence classes come with LookupTableType; until
  // then reading that property fails with the unknown-class error.
  static constexpr PropertyRow properties[] = {
      {1, "LookupTableType", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutableLookupTableType", 2048},
      {2, "SharedAxisType", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutableSharedAxisType", 2048},
      {3, "SwRecordLayoutGroup", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableSwRecordLayoutGroup",
       2048},
      {4, "String", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableString", 0},
  };
  // The constructor taking a SwRecordLayoutGroup and a String joins when
  // those classes are modelled.
  static constexpr MethodRow constructors[] = {
      creation<SwRecordLayout, Ozo::Model const&>(),
  };
};
}  // namespace

void staticInitializeSwRecordLayout(kovo::COSPackage* package) { registerClass<SwRecordLayoutClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
