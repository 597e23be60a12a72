// Cell as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Index", K::Integer, M::Many},
};
}  // namespace

using I = NSInterface::CellIntf;
constinit ClassDef const I::sClassDef = classDef("Cell", NSInterface::ValueElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Cell Cell::create(Ozo::Model const& model) { return Ozo::createElement<Cell>(model); }

Cell Cell::create(Ozo::Model model, CompositeSpecification owningComposite, foundation::ValueSpecification value,
                  Ozo::String name) {
  return createValueElement<Cell>(model, "Cell", owningComposite, value, name);
}

}  // namespace Zorvan::metamodel::types
