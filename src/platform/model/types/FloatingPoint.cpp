// FloatingPoint as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Kind", K::Value, M::One, names::kFloatingPointKind},
};
}  // namespace

using I = NSInterface::FloatingPointIntf;
constinit ClassDef const I::sClassDef = classDef("FloatingPoint", NSInterface::RealIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

FloatingPoint FloatingPoint::create(Ozo::Model const& model) { return Ozo::createElement<FloatingPoint>(model); }

FloatingPoint FloatingPoint::create(Ozo::Model model, FloatingPointKind kind, Ozo::String name) {
  FloatingPoint const x = createNamed<FloatingPoint>(model, name);
  x.setKind(kind);
  return x;
}

}  // namespace Zorvan::metamodel::types
