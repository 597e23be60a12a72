// FixedPoint: a whole number scaled by a binary slope and offset by a bias.
#include "elements/ClassFile.hpp"
#include "values/PropHelper.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct FixedPointClass : TypesClass<FixedPoint> {
  using Intf = NSInterface::FixedPointIntf;
  using Immutable = ImmutableFixedPoint;
  using Modifiable = FixedPoint;
  using Meta = FixedPointMeta;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}, {4}, {5}, {6, kAttrMarked, "slope"}};
};
}  // namespace

template <>
void registerElement<FixedPoint>(kovo::COSPackage* package) {
  registerClass<FixedPointClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
