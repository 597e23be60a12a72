// SwGenericAxisParamType: a parameter of a generic axis.
#include "elements/Registration.hpp"
#include "elements/TypesMeta.hpp"
#include "values/PropHelper.hpp"
#include <xb/ElementClass.hpp>

namespace Zorvan::metamodel::types::xb {

namespace {
using namespace Ozo::xb;
using namespace Ozo::xb::kinds;
using enum Ozo::xb::Multiplicity;
using enum Ozo::xb::Mutability;

struct SwGenericAxisParamTypeClass {
  using Intf = NSInterface::SwGenericAxisParamTypeIntf;
  using Immutable = ImmutableSwGenericAxisParamType;
  using Modifiable = SwGenericAxisParamType;
  using Meta = SwGenericAxisParamTypeMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Category", ValueType<SwGenericAxisParamTypeCategory>, ExactlyOne, Settable,
       "Zorvan.metamodel.types.SwGenericAxisParamTypeCategory", 0},
  };
  static constexpr MethodRow constructors[] = {
      creation<SwGenericAxisParamType, Ozo::Model const&>(),
      creation<SwGenericAxisParamType, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeSwGenericAxisParamType(kovo::COSPackage* package) {
  registerElementClass<SwGenericAxisParamTypeClass>(package);
}

}  // namespace Zorvan::metamodel::types::xb
