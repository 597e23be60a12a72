// Axis: a named axis of a lookup table.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct AxisClass : TypesClass<Axis> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesAxis";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1044>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}, {2}, {3}, {4, kAttrMarked}, {5}, {6, kAttrMarked},
                                            {7, kAttrMarked}};
};
}  // namespace

using ImmutableAxisWrapper = Ozo::xb::ImmutableElementWrapper<AxisClass>;
using AxisWrapper = Ozo::xb::ModifiableElementWrapper<AxisClass>;
using AxisMetaPropertyWrapper = Ozo::xb::MetaPropertyWrapper<AxisClass>;

template <>
struct ElementFile<Axis> {
  using Class = AxisClass;
};
template void registerElement<Axis>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
