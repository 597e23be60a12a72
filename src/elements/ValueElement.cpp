// ValueElement: one owned part of a composite value.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct ValueElementClass {
  using Intf = NSInterface::ValueElementIntf;
  using Immutable = ImmutableValueElement;
  using Modifiable = ValueElement;
  using Meta = ValueElementMeta;
  static constexpr PropertyRow properties[] = {
      {1, "owningComposite", ClassObject, ExactlyOne, Settable,
       "Zorvan.metamodel.types.ImmutableCompositeSpecification", 2048},
      {2, "Value", ClassObject, ExactlyOne, Settable, "Zorvan.metamodel.foundation.ImmutableValueSpecification", 0},
  };
};
}  // namespace

void staticInitializeValueElement(kovo::COSPackage* package) { registerClass<ValueElementClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
