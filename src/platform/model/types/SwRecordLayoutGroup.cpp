// SwRecordLayoutGroup as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"SwRecordLayoutV", K::Element, M::Many, names::kSwRecordLayoutV, kOwns},
    {"SwRecordLayoutGroup", K::Element, M::Many, names::kSwRecordLayoutGroup, kOwns},
    {"ShortLabel", K::String, M::ZeroOne},
    {"Category", K::String, M::ZeroOne},
    {"SwRecordLayoutGroupAxis", K::Integer, M::ZeroOne},
    {"SwRecordLayoutGroupIndex", K::String, M::ZeroOne},
};
}  // namespace

using I = NSInterface::SwRecordLayoutGroupIntf;
constinit ClassDef const I::sClassDef =
    classDef("SwRecordLayoutGroup", foundation::NSInterface::ElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableSwRecordLayoutV> ImmutableSwRecordLayoutGroup::getSwRecordLayoutV() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableSwRecordLayoutV>>(*this);
}
Ozo::Collection<ImmutableSwRecordLayoutGroup> ImmutableSwRecordLayoutGroup::getSwRecordLayoutGroup() const {
  return prop::get<Intf, 2, Ozo::Collection<ImmutableSwRecordLayoutGroup>>(*this);
}

SwRecordLayoutGroup SwRecordLayoutGroup::create(Ozo::Model const& model) {
  return Ozo::createElement<SwRecordLayoutGroup>(model);
}

}  // namespace Zorvan::metamodel::types
