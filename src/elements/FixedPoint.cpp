// FixedPoint: a whole number scaled by a binary slope and offset by a bias.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct FixedPointClass : TypesClass<FixedPoint> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesFixedPoint";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 962>;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}, {4}, {5}, {6, kAttrMarked, "slope"}};
};
}  // namespace

template <>
struct ElementFile<FixedPoint> {
  using Class = FixedPointClass;
};
template void registerElement<FixedPoint>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
