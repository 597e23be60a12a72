// VoidPointer: an untyped pointer.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct VoidPointerClass {
  using Intf = NSInterface::VoidPointerIntf;
  using Immutable = ImmutableVoidPointer;
  using Modifiable = VoidPointer;
  using Meta = VoidPointerMeta;
  static constexpr PropertyRow properties[] = {
      {1, "IsApplication", Primitive, ExactlyOne, ReadOnly, "logical scalar", 0},
      {2, "SwBaseType", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.types.ImmutableSwBaseType", 0},
      {3, "SwImplPolicy", Text, ZeroOrOne, Settable, "char", 0},
      {4, "Qualifier", Text, ZeroOrOne, Settable, "char", 2048},
      {5, "IsConst", Primitive, ZeroOrOne, Settable, "ozological", 2048},
      {6, "IsVolatile", Primitive, ZeroOrOne, Settable, "ozological", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<VoidPointer, Ozo::Model const&>(),
      creation<VoidPointer, Ozo::Model, SwBaseType, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeVoidPointer(kovo::COSPackage* package) { registerClass<VoidPointerClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
