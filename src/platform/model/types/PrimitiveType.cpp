// PrimitiveType as data.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
//                 name                kind        multiplicity  type
constexpr PropertyDef kOwn[] = {
    {"GroundValue",       K::Real,    M::One,     nullptr, false, kReadOnly},
    {"CompuMethod",       K::Element, M::ZeroOne, names::kCompuMethod},
    {"Unit",              K::Element, M::ZeroOne, names::kUnit},
    {"DataConstr",        K::Element, M::ZeroOne, names::kDataConstr},
    {"SwBaseType",        K::Element, M::ZeroOne, names::kSwBaseType},
    {"IsApplication",     K::Boolean, M::One},
    {"Reference",         K::Element, M::ZeroOne, names::kPrimitiveType},
    {"Qualifier",         K::String,  M::ZeroOne},
    {"IsVolatile",        K::Boolean, M::ZeroOne},
    {"IsConst",           K::Boolean, M::ZeroOne},
};
}  // namespace

using I = NSInterface::PrimitiveTypeIntf;
constinit ClassDef const I::sClassDef =
    classDef("PrimitiveType", foundation::NSInterface::ValueTypeIntf::sClassDef, kOwn, kAbstract);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

}  // namespace Zorvan::metamodel::types
