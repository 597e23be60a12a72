// Real: a primitive type with a range (abstract).
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct RealClass : TypesClass<Real> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesReal";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 958>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "minValue"},
                                            {2, kAttrMarked, "maxValue"},
                                            {3, kAttrMarked, "isMinOpen"},
                                            {4, kAttrMarked, "isMaxOpen"}};
};
}  // namespace

template <>
struct ElementFile<Real> {
  using Class = RealClass;
};
template void registerElement<Real>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
