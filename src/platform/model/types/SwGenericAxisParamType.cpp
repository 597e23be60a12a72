// SwGenericAxisParamType as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Category", K::Value, M::One, names::kSwGenericAxisParamTypeCategory},
};
}  // namespace

using I = NSInterface::SwGenericAxisParamTypeIntf;
constinit ClassDef const I::sClassDef =
    classDef("SwGenericAxisParamType", foundation::NSInterface::NamedElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

SwGenericAxisParamType SwGenericAxisParamType::create(Ozo::Model const& model) {
  return Ozo::createElement<SwGenericAxisParamType>(model);
}

SwGenericAxisParamType SwGenericAxisParamType::create(Ozo::Model model, Ozo::String name) {
  return createNamed<SwGenericAxisParamType>(model, name);
}

}  // namespace Zorvan::metamodel::types
