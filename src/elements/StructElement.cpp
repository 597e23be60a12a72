// StructElement: one element of a structure.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct StructElementClass : TypesClass {
  using Intf = NSInterface::StructElementIntf;
  using Immutable = ImmutableStructElement;
  using Modifiable = StructElement;
  using Meta = StructElementMeta;
  static constexpr ShownProperty shown[] = {{1}, {3, kAttrMarked}, {4}};
  static constexpr MethodRow constructors[] = {
      creation<StructElement, Ozo::Model const&>(),
      creation<StructElement, Ozo::Model, Structure, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeStructElement(kovo::COSPackage* package) { registerClass<StructElementClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
