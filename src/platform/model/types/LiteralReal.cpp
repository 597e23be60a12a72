// LiteralReal as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Value", K::Real, M::One},
};
}  // namespace

using I = NSInterface::LiteralRealIntf;
constinit ClassDef const I::sClassDef =
    classDef("LiteralReal", foundation::NSInterface::ValueSpecificationIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

LiteralReal LiteralReal::create(Ozo::Model const& model) { return Ozo::createElement<LiteralReal>(model); }

LiteralReal LiteralReal::create(Ozo::Model model, Ozo::Real value, Ozo::String name) {
  LiteralReal const x = createNamed<LiteralReal>(model, name);
  x.setValue(value);
  return x;
}

}  // namespace Zorvan::metamodel::types
