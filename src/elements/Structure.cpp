// Structure: a record of named, typed elements.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct StructureClass {
  using Intf = NSInterface::StructureIntf;
  using Immutable = ImmutableStructure;
  using Modifiable = Structure;
  using Meta = StructureMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Elements", ClassObject, Many, Settable, "Zorvan.metamodel.types.ImmutableSequenceOfImmutableStructElement",
       0},
      {2, "IsApplication", Primitive, ExactlyOne, Settable, "logical scalar", 0},
      {3, "Reference", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableStructure", 2048},
      {4, "Qualifier", Text, ZeroOrOne, Settable, "char", 2048},
      {5, "IsConst", Primitive, ZeroOrOne, Settable, "ozological", 2048},
      {6, "IsVolatile", Primitive, ZeroOrOne, Settable, "ozological", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<Structure, Ozo::Model const&>(),
      creation<Structure, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeStructure(kovo::COSPackage* package) { registerClass<StructureClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
