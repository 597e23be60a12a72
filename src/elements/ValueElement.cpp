// ValueElement: one owned part of a composite value.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ValueElementClass : TypesClass<ValueElement> {
  using Intf = NSInterface::ValueElementIntf;
  using Immutable = ImmutableValueElement;
  using Modifiable = ValueElement;
  using Meta = ValueElementMeta;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "owningComposite"}, {2}};
};
}  // namespace

template <>
void registerElement<ValueElement>(kovo::COSPackage* package) {
  registerClass<ValueElementClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
