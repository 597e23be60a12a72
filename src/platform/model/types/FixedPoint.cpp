// FixedPoint as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Length", K::Value, M::One, names::kDataSize},
    {"IsSigned", K::Boolean, M::One},
    {"FractionLength", K::Value, M::ZeroOne, names::kDataSize},
    {"Bias", K::Real, M::ZeroOne},
    {"FractionalSlope", K::Real, M::ZeroOne},
    {"Slope", K::Real, M::One, nullptr, false, kReadOnly, D::Rule, &rules::fixedPointSlope},
};
}  // namespace

using I = NSInterface::FixedPointIntf;
constinit ClassDef const I::sClassDef = classDef("FixedPoint", NSInterface::RealIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

FixedPoint FixedPoint::create(Ozo::Model const& model) { return Ozo::createElement<FixedPoint>(model); }

FixedPoint FixedPoint::create(Ozo::Model model, Ozo::String name) { return createNamed<FixedPoint>(model, name); }

}  // namespace Zorvan::metamodel::types
