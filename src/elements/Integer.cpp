// Integer: a whole-number primitive type.
#include "elements/Registration.hpp"
#include "elements/TypesMeta.hpp"
#include "elements/anatomy/ElementClass.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
using namespace Zorvan::xb;
using enum PropertyKind;
using enum Ozo::xb::Multiplicity;
using enum Ozo::xb::Mutability;

// Length (index 1, a DataSize value) joins when value-typed properties do.
constexpr PropertyRow kProperties[] = {
    {2, "IsSigned", Primitive, ExactlyOne, Settable, "logical scalar", 0},
};

constexpr MetaGroup kMetaGroups[] = {
    metaGroup<IntegerMeta>(),   metaGroup<RealMeta>(),         metaGroup<PrimitiveTypeMeta>(),
    metaGroup<ValueTypeMeta>(), metaGroup<NamedElementMeta>(), metaGroup<ElementMeta>(),
    metaGroup<ClassObjectMeta>(), metaGroup<NamespaceMeta>(),
};

struct IntegerClass {
  using Intf = NSInterface::IntegerIntf;
  using Immutable = ImmutableInteger;
  using Modifiable = Integer;
  static constexpr ElementFacts facts{"Zorvan.metamodel.types",
                                      "Integer",
                                      "Zorvan.metamodel.types.ImmutableReal",
                                      "Zorvan.metamodel.types.Real",
                                      kProperties,
                                      kMetaGroups};
  using Constructors = Creations<Creation<Integer, Ozo::Model const&>, Creation<Integer, Ozo::Model, Ozo::String>>;
};
}  // namespace

void staticInitializeInteger(kovo::COSPackage* package) { registerElementClass<IntegerClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
