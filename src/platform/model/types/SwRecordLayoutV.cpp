// SwRecordLayoutV as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"ShortLabel", K::String, M::ZeroOne},
    {"SwRecordLayoutVAxis", K::Integer, M::One},
    {"SwRecordLayoutVIndex", K::String, M::ZeroOne},
    {"SwRecordLayoutVProp", K::String, M::ZeroOne},
    {"SwBaseType", K::Element, M::One, names::kSwBaseType},
};
}  // namespace

using I = NSInterface::SwRecordLayoutVIntf;
constinit ClassDef const I::sClassDef =
    classDef("SwRecordLayoutV", foundation::NSInterface::ElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableSwBaseType ImmutableSwRecordLayoutV::getSwBaseType() const {
  return prop::get<Intf, 5, ImmutableSwBaseType>(*this);
}

SwRecordLayoutV SwRecordLayoutV::create(Ozo::Model const& model) { return Ozo::createElement<SwRecordLayoutV>(model); }

SwRecordLayoutV SwRecordLayoutV::create(Ozo::Model model, Ozo::Integer swRecordLayoutVAxis, SwBaseType swBaseType) {
  SwRecordLayoutV const x = SwRecordLayoutV::create(model);
  x.setSwRecordLayoutVAxis(swRecordLayoutVAxis);
  x.setSwBaseType(swBaseType);
  return x;
}

}  // namespace Zorvan::metamodel::types
