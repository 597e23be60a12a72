// Matrix: an array of values of one base type.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct MatrixClass : TypesClass<Matrix> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesMatrix";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1100>;
  static constexpr ShownProperty shown[] = {
      {1}, {2}, {3}, {4}, {5, kAttrMarked}, {6, kAttrMarked}, {7, kAttrMarked}, {8, kAttrMarked}};
};
}  // namespace

template <>
struct ElementFile<Matrix> {
  using Class = MatrixClass;
};
template void registerElement<Matrix>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
