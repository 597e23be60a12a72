// LiteralReal: a real number as a value.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct LiteralRealClass : TypesClass<LiteralReal> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesLiteralReal";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1031>;
  static constexpr ShownProperty shown[] = {{1}};
};
}  // namespace

template <>
struct ElementFile<LiteralReal> {
  using Class = LiteralRealClass;
};
template void registerElement<LiteralReal>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
