// SwRecordLayoutV: one value entry of a record layout group.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwRecordLayoutVClass {
  using Intf = NSInterface::SwRecordLayoutVIntf;
  using Immutable = ImmutableSwRecordLayoutV;
  using Modifiable = SwRecordLayoutV;
  using Meta = SwRecordLayoutVMeta;
  static constexpr PropertyRow properties[] = {
      {1, "ShortLabel", Text, ZeroOrOne, Settable, "char", 2048},
      {2, "SwRecordLayoutVAxis", Primitive, ExactlyOne, Settable, "int32 scalar", 2048},
      {3, "SwRecordLayoutVIndex", Text, ZeroOrOne, Settable, "char", 2048},
      {4, "SwRecordLayoutVProp", Text, ZeroOrOne, Settable, "char", 2048},
      {5, "SwBaseType", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableSwBaseType", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<SwRecordLayoutV, Ozo::Model const&>(),
      creation<SwRecordLayoutV, Ozo::Model, Ozo::Integer, SwBaseType>(),
  };
};
}  // namespace

void staticInitializeSwRecordLayoutV(kovo::COSPackage* package) { registerClass<SwRecordLayoutVClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
