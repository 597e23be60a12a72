// ApplicationValueSpecification: a value given as text in the application's own notation, with its dimensions.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ApplicationValueSpecificationClass : TypesClass<ApplicationValueSpecification> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesApplicationValueSpecification";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 640>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}, {2, kAttrMarked}, {3}};
};
}  // namespace

template <>
struct ElementFile<ApplicationValueSpecification> {
  using Class = ApplicationValueSpecificationClass;
};
template void registerElement<ApplicationValueSpecification>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
