// Real: a primitive type with a range (abstract).
#include "elements/Registration.hpp"
#include "elements/TypesMeta.hpp"
#include "elements/anatomy/ElementClass.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
using namespace Zorvan::xb;
using enum PropertyKind;
using enum Ozo::xb::Multiplicity;
using enum Ozo::xb::Mutability;

constexpr PropertyRow kProperties[] = {
    {1, "minValue", Primitive, ZeroOrOne, Settable, "ozodouble", 2048},
    {2, "maxValue", Primitive, ZeroOrOne, Settable, "ozodouble", 2048},
    {3, "isMinOpen", Primitive, ExactlyOne, Settable, "logical scalar", 2048},
    {4, "isMaxOpen", Primitive, ExactlyOne, Settable, "logical scalar", 2048},
};

constexpr MetaGroup kMetaGroups[] = {
    metaGroup<RealMeta>(),         metaGroup<PrimitiveTypeMeta>(), metaGroup<ValueTypeMeta>(),
    metaGroup<NamedElementMeta>(), metaGroup<ElementMeta>(),       metaGroup<ClassObjectMeta>(),
    metaGroup<NamespaceMeta>(),
};

struct RealClass {
  using Intf = NSInterface::RealIntf;
  using Immutable = ImmutableReal;
  using Modifiable = Real;
  static constexpr ElementFacts facts{"Zorvan.metamodel.types",
                                      "Real",
                                      "Zorvan.metamodel.types.ImmutablePrimitiveType",
                                      "Zorvan.metamodel.types.PrimitiveType",
                                      kProperties,
                                      kMetaGroups};
  using Constructors = Creations<>;
};
}  // namespace

void staticInitializeReal(kovo::COSPackage* package) { registerElementClass<RealClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
