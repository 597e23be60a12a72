// SwAxisType as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"SwAxisParamType", K::Element, M::Many, names::kSwGenericAxisParamType, kOwns},
};
}  // namespace

using I = NSInterface::SwAxisTypeIntf;
constinit ClassDef const I::sClassDef =
    classDef("SwAxisType", foundation::NSInterface::PackageableElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableSwGenericAxisParamType> ImmutableSwAxisType::getSwAxisParamType() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableSwGenericAxisParamType>>(*this);
}

SwAxisType SwAxisType::create(Ozo::Model const& model) { return Ozo::createElement<SwAxisType>(model); }

SwAxisType SwAxisType::create(Ozo::Model model, Ozo::String name) { return createNamed<SwAxisType>(model, name); }

}  // namespace Zorvan::metamodel::types
