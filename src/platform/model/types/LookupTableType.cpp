// LookupTableType as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"SwRecordLayout", K::Element, M::One, names::kSwRecordLayout},
    {"BaseType", K::Element, M::One, names::kPrimitiveType},
    {"Axes", K::Element, M::Many, names::kAxis, kOwns},
    {"Dimensions", K::Integer, M::One, nullptr, false, kReadOnly, D::Rule, &rules::lookupTableDimensions},
    {"Category", K::String, M::One, nullptr, false, kReadOnly, D::Rule, &rules::lookupTableCategory},
    {"IsApplication", K::Boolean, M::One, nullptr, false, kReadOnly, D::Rule, &rules::lookupTableIsApplication},
    {"ValueAxisDataType", K::Element, M::ZeroOne, names::kPrimitiveType},
    {"Qualifier", K::String, M::ZeroOne},
    {"IsConst", K::Boolean, M::ZeroOne},
    {"IsVolatile", K::Boolean, M::ZeroOne},
};
}  // namespace

using I = NSInterface::LookupTableTypeIntf;
constinit ClassDef const I::sClassDef =
    classDef("LookupTableType", foundation::NSInterface::ValueTypeIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableSwRecordLayout ImmutableLookupTableType::getSwRecordLayout() const {
  return prop::get<Intf, 1, ImmutableSwRecordLayout>(*this);
}
ImmutablePrimitiveType ImmutableLookupTableType::getBaseType() const {
  return prop::get<Intf, 2, ImmutablePrimitiveType>(*this);
}
Ozo::Collection<ImmutableAxis> ImmutableLookupTableType::getAxes() const {
  return prop::get<Intf, 3, Ozo::Collection<ImmutableAxis>>(*this);
}
ImmutablePrimitiveType ImmutableLookupTableType::getValueAxisDataType() const {
  return prop::get<Intf, 7, ImmutablePrimitiveType>(*this);
}

LookupTableType LookupTableType::create(Ozo::Model const& model) { return Ozo::createElement<LookupTableType>(model); }

LookupTableType LookupTableType::create(Ozo::Model model, SwRecordLayout swRecordLayout, PrimitiveType baseType,
                                        Ozo::String name) {
  LookupTableType const x = createNamed<LookupTableType>(model, name);
  x.setSwRecordLayout(swRecordLayout);
  x.setBaseType(baseType);
  return x;
}

}  // namespace Zorvan::metamodel::types
