// StructureValueSpecification: a structure value: one slot per structure element.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct StructureValueSpecificationClass : TypesClass {
  using Intf = NSInterface::StructureValueSpecificationIntf;
  using Immutable = ImmutableStructureValueSpecification;
  using Modifiable = StructureValueSpecification;
  using Meta = StructureValueSpecificationMeta;
  static constexpr ShownProperty shown[] = {{1}};
  static constexpr MethodRow constructors[] = {
      creation<StructureValueSpecification, Ozo::Model const&>(),
      creation<StructureValueSpecification, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeStructureValueSpecification(kovo::COSPackage* package) {
  registerClass<StructureValueSpecificationClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
