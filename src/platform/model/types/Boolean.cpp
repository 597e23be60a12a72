// Boolean as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

using I = NSInterface::BooleanIntf;
constinit ClassDef const I::sClassDef = classDef("Boolean", NSInterface::RealIntf::sClassDef, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Boolean Boolean::create(Ozo::Model const& model) { return Ozo::createElement<Boolean>(model); }

Boolean Boolean::create(Ozo::Model model, Ozo::String name) { return createNamed<Boolean>(model, name); }

}  // namespace Zorvan::metamodel::types
