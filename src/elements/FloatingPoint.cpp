// FloatingPoint: a floating-point number of a given precision.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct FloatingPointClass : TypesClass<FloatingPoint> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesFloatingPoint";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 985>;
  static constexpr ShownProperty shown[] = {{1}};
};
}  // namespace

template <>
struct ElementFile<FloatingPoint> {
  using Class = FloatingPointClass;
};
template void registerElement<FloatingPoint>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
