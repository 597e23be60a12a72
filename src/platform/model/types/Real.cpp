// Real as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"MinValue", K::Real, M::ZeroOne},
    {"MaxValue", K::Real, M::ZeroOne},
    {"IsMinOpen", K::Boolean, M::One},
    {"IsMaxOpen", K::Boolean, M::One},
};
}  // namespace

using I = NSInterface::RealIntf;
constinit ClassDef const I::sClassDef = classDef("Real", NSInterface::PrimitiveTypeIntf::sClassDef, kOwn, kAbstract);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

}  // namespace Zorvan::metamodel::types
