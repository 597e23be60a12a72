// Real as data.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
//                 name                kind        multiplicity
constexpr PropertyDef kOwn[] = {
    {"MinValue",          K::Real,    M::ZeroOne},
    {"MaxValue",          K::Real,    M::ZeroOne},
    {"IsMinOpen",         K::Boolean, M::One},
    {"IsMaxOpen",         K::Boolean, M::One},
};
}  // namespace

using I = NSInterface::RealIntf;
constinit ClassDef const I::sClassDef = classDef("Real", NSInterface::PrimitiveTypeIntf::sClassDef, kOwn, kAbstract);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

}  // namespace Zorvan::metamodel::types
