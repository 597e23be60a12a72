// SwGenericAxisParamType: a parameter of a generic axis.
#include "elements/Registration.hpp"
#include "elements/TypesMeta.hpp"
#include "elements/anatomy/ElementClass.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
using namespace Zorvan::xb;

// Category (index 1, a SwGenericAxisParamTypeCategory value) joins when
// value-typed properties do.
constexpr MetaGroup kMetaGroups[] = {
    metaGroup<SwGenericAxisParamTypeMeta>(),
    metaGroup<NamedElementMeta>(),
    metaGroup<ElementMeta>(),
    metaGroup<ClassObjectMeta>(),
};

struct SwGenericAxisParamTypeClass {
  using Intf = NSInterface::SwGenericAxisParamTypeIntf;
  using Immutable = ImmutableSwGenericAxisParamType;
  using Modifiable = SwGenericAxisParamType;
  static constexpr ElementFacts facts{"Zorvan.metamodel.types",
                                      "SwGenericAxisParamType",
                                      "Zorvan.metamodel.foundation.ImmutableNamedElement",
                                      "Zorvan.metamodel.foundation.NamedElement",
                                      {},
                                      kMetaGroups};
  using Constructors = Creations<Creation<SwGenericAxisParamType, Ozo::Model const&>,
                                 Creation<SwGenericAxisParamType, Ozo::Model, Ozo::String>>;
};
}  // namespace

void staticInitializeSwGenericAxisParamType(kovo::COSPackage* package) {
  registerElementClass<SwGenericAxisParamTypeClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
