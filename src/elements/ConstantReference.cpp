// ConstantReference: a value that refers to a named constant.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ConstantReferenceClass : TypesClass<ConstantReference> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesConstantReference";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 801>;
  static constexpr ShownProperty shown[] = {{1}};
};
}  // namespace

template <>
struct ElementFile<ConstantReference> {
  using Class = ConstantReferenceClass;
};
template void registerElement<ConstantReference>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
