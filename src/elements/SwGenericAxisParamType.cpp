// SwGenericAxisParamType: a parameter of a generic axis.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct SwGenericAxisParamTypeClass : TypesClass<SwGenericAxisParamType> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwGenericAxisParamType";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 763>;
  static constexpr ShownProperty shown[] = {{1}};
};
}  // namespace

template <>
struct ElementFile<SwGenericAxisParamType> {
  using Class = SwGenericAxisParamTypeClass;
};
template void registerElement<SwGenericAxisParamType>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
