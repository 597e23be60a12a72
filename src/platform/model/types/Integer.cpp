// Integer as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Length", K::Value, M::One, names::kDataSize},
    {"IsSigned", K::Boolean, M::One},
};
}  // namespace

using I = NSInterface::IntegerIntf;
constinit ClassDef const I::sClassDef = classDef("Integer", NSInterface::RealIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Integer Integer::create(Ozo::Model const& model) { return Ozo::createElement<Integer>(model); }

Integer Integer::create(Ozo::Model model, Ozo::String name) { return createNamed<Integer>(model, name); }

}  // namespace Zorvan::metamodel::types
