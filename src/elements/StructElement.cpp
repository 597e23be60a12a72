// StructElement: one element of a structure.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct StructElementClass {
  using Intf = NSInterface::StructElementIntf;
  using Immutable = ImmutableStructElement;
  using Modifiable = StructElement;
  using Meta = StructElementMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Structure", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableStructure", 0},
      {3, "InlineType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.foundation.ImmutableValueType", 2048},
      {4, "ReferencedType", ClassObject, ExactlyOne, ReadOnly, "Zorvan.metamodel.foundation.ImmutableValueType", 0},
  };
  static constexpr MethodRow constructors[] = {
      creation<StructElement, Ozo::Model const&>(),
      creation<StructElement, Ozo::Model, Structure, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeStructElement(kovo::COSPackage* package) { registerClass<StructElementClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
