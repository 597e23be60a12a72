// Complex: a complex number over a real base type.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ComplexClass : TypesClass<Complex> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesComplex";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 732>;
  static constexpr ShownProperty shown[] = {{1}, {2, kAttrMarked}, {3, kAttrMarked}, {4, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<Complex> {
  using Class = ComplexClass;
};
template void registerElement<Complex>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
