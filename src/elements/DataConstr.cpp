// DataConstr: constraints on the values of primitive types.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct DataConstrClass : TypesClass<DataConstr> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesDataConstr";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 847>;
  static constexpr ShownProperty shown[] = {{1}, {2}};
};
}  // namespace

template <>
struct ElementFile<DataConstr> {
  using Class = DataConstrClass;
};
template void registerElement<DataConstr>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
