// Boolean as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
// Boolean states its own range entries (under the names of Real's, which its
// meta-property class then leaves out); the host shows Real's.
constexpr PropertyDef kOwn[] = {
    {"MinValue", K::Real, M::ZeroOne},
    {"MaxValue", K::Real, M::ZeroOne},
    {"IsMinOpen", K::Boolean, M::One},
    {"IsMaxOpen", K::Boolean, M::One},
};
}  // namespace

using I = NSInterface::BooleanIntf;
constinit ClassDef const I::sClassDef = classDef("Boolean", NSInterface::RealIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Boolean Boolean::create(Ozo::Model const& model) { return Ozo::createElement<Boolean>(model); }

Boolean Boolean::create(Ozo::Model model, Ozo::String name) { return createNamed<Boolean>(model, name); }

}  // namespace Zorvan::metamodel::types
