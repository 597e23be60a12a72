// Integer: a whole-number primitive type.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct IntegerClass : TypesClass<Integer> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesInteger";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 871>;
  static constexpr ShownProperty shown[] = {{1}, {2}};
};
}  // namespace

template <>
struct ElementFile<Integer> {
  using Class = IntegerClass;
};
template void registerElement<Integer>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
