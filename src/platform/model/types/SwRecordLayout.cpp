// SwRecordLayout as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"LookupTableType", K::Element, M::Many, names::kLookupTableType},
    {"SharedAxisType", K::Element, M::Many, names::kSharedAxisType},
    {"SwRecordLayoutGroup", K::Element, M::One, names::kSwRecordLayoutGroup, kOwns},
    {"String", K::Element, M::One, names::kString},
};
}  // namespace

using I = NSInterface::SwRecordLayoutIntf;
constinit ClassDef const I::sClassDef =
    classDef("SwRecordLayout", foundation::NSInterface::PackageableElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableLookupTableType> ImmutableSwRecordLayout::getLookupTableType() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableLookupTableType>>(*this);
}
Ozo::Collection<ImmutableSharedAxisType> ImmutableSwRecordLayout::getSharedAxisType() const {
  return prop::get<Intf, 2, Ozo::Collection<ImmutableSharedAxisType>>(*this);
}
ImmutableSwRecordLayoutGroup ImmutableSwRecordLayout::getSwRecordLayoutGroup() const {
  return prop::get<Intf, 3, ImmutableSwRecordLayoutGroup>(*this);
}
ImmutableString ImmutableSwRecordLayout::getString() const { return prop::get<Intf, 4, ImmutableString>(*this); }

SwRecordLayout SwRecordLayout::create(Ozo::Model const& model) { return Ozo::createElement<SwRecordLayout>(model); }

SwRecordLayout SwRecordLayout::create(Ozo::Model model, SwRecordLayoutGroup swRecordLayoutGroup, String string,
                                      Ozo::String name) {
  checkLinkable(model, "SwRecordLayout", {}, swRecordLayoutGroup);
  SwRecordLayout const x = createNamed<SwRecordLayout>(model, name);
  x.setSwRecordLayoutGroup(swRecordLayoutGroup);
  x.setString(string);
  return x;
}

}  // namespace Zorvan::metamodel::types
