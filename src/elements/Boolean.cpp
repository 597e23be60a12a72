// Boolean: a two-valued primitive type.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct BooleanClass : TypesClass<Boolean> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesBoolean";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 686>;
};
}  // namespace

template <>
struct ElementFile<Boolean> {
  using Class = BooleanClass;
};
template void registerElement<Boolean>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
