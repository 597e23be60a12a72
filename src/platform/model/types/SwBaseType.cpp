// SwBaseType as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"PrimitiveType", K::Element, M::Many, names::kPrimitiveType},
};
}  // namespace

using I = NSInterface::SwBaseTypeIntf;
constinit ClassDef const I::sClassDef =
    classDef("SwBaseType", foundation::NSInterface::PackageableElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutablePrimitiveType> ImmutableSwBaseType::getPrimitiveType() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutablePrimitiveType>>(*this);
}

SwBaseType SwBaseType::create(Ozo::Model const& model) { return Ozo::createElement<SwBaseType>(model); }

SwBaseType SwBaseType::create(Ozo::Model model, Ozo::String name) { return createNamed<SwBaseType>(model, name); }

}  // namespace Zorvan::metamodel::types
