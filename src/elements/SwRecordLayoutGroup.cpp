// SwRecordLayoutGroup: a group of a record layout, possibly nested.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwRecordLayoutGroupClass {
  using Intf = NSInterface::SwRecordLayoutGroupIntf;
  using Immutable = ImmutableSwRecordLayoutGroup;
  using Modifiable = SwRecordLayoutGroup;
  using Meta = SwRecordLayoutGroupMeta;
  static constexpr PropertyRow properties[] = {
      {1, "SwRecordLayoutV", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutableSwRecordLayoutV", 2048},
      {2, "SwRecordLayoutGroup", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutableSwRecordLayoutGroup", 2048},
      {3, "ShortLabel", Text, ZeroOrOne, Settable, "char", 2048},
      {4, "Category", Text, ZeroOrOne, Settable, "char", 2048},
      {5, "SwRecordLayoutGroupAxis", Primitive, ZeroOrOne, Settable, "ozoint32", 2048},
      {6, "SwRecordLayoutGroupIndex", Text, ZeroOrOne, Settable, "char", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<SwRecordLayoutGroup, Ozo::Model const&>(),
  };
};
}  // namespace

void staticInitializeSwRecordLayoutGroup(kovo::COSPackage* package) {
  registerClass<SwRecordLayoutGroupClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
