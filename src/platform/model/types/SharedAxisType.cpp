// SharedAxisType as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"SwRecordLayout", K::Element, M::One, names::kSwRecordLayout},
    {"Axis", K::Element, M::One, names::kAxis},
    {"IsApplication", K::Boolean, M::One, nullptr, false, kReadOnly, D::Rule, &rules::sharedAxisIsApplication},
    {"SharedFrom", K::Element, M::Many, names::kAxis},
    {"ValueAxisDataType", K::Element, M::ZeroOne, names::kPrimitiveType},
    {"Qualifier", K::String, M::ZeroOne},
    {"IsConst", K::Boolean, M::ZeroOne},
    {"IsVolatile", K::Boolean, M::ZeroOne},
};
}  // namespace

using I = NSInterface::SharedAxisTypeIntf;
constinit ClassDef const I::sClassDef =
    classDef("SharedAxisType", foundation::NSInterface::ValueTypeIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableSwRecordLayout ImmutableSharedAxisType::getSwRecordLayout() const {
  return prop::get<Intf, 1, ImmutableSwRecordLayout>(*this);
}
ImmutableAxis ImmutableSharedAxisType::getAxis() const { return prop::get<Intf, 2, ImmutableAxis>(*this); }
Ozo::Collection<ImmutableAxis> ImmutableSharedAxisType::getSharedFrom() const {
  return prop::get<Intf, 4, Ozo::Collection<ImmutableAxis>>(*this);
}
ImmutablePrimitiveType ImmutableSharedAxisType::getValueAxisDataType() const {
  return prop::get<Intf, 5, ImmutablePrimitiveType>(*this);
}

SharedAxisType SharedAxisType::create(Ozo::Model const& model) { return Ozo::createElement<SharedAxisType>(model); }

SharedAxisType SharedAxisType::create(Ozo::Model model, SwRecordLayout swRecordLayout, Axis axis, Ozo::String name) {
  SharedAxisType const x = createNamed<SharedAxisType>(model, name);
  x.setSwRecordLayout(swRecordLayout);
  x.setAxis(axis);
  return x;
}

}  // namespace Zorvan::metamodel::types
