// SharedAxisType: an axis shared by several lookup tables.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SharedAxisTypeClass : TypesClass {
  using Intf = NSInterface::SharedAxisTypeIntf;
  using Immutable = ImmutableSharedAxisType;
  using Modifiable = SharedAxisType;
  using Meta = SharedAxisTypeMeta;
  static constexpr ShownProperty shown[] = {
      {1}, {2}, {3}, {4, kAttrMarked}, {5, kAttrMarked}, {6, kAttrMarked}, {7, kAttrMarked}, {8, kAttrMarked},
  };
  static constexpr MethodRow constructors[] = {
      creation<SharedAxisType, Ozo::Model const&>(),
      creation<SharedAxisType, Ozo::Model, SwRecordLayout, Axis, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSharedAxisType(kovo::COSPackage* package) {
  registerClass<SharedAxisTypeClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
