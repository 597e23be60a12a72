// Cell: a matrix cell, placed by its index.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct CellClass : TypesClass {
  using Intf = NSInterface::CellIntf;
  using Immutable = ImmutableCell;
  using Modifiable = Cell;
  using Meta = CellMeta;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked, "index"}};
  static constexpr MethodRow constructors[] = {
      creation<Cell, Ozo::Model const&>(),
      creation<Cell, Ozo::Model, CompositeSpecification, foundation::ValueSpecification, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeCell(kovo::COSPackage* package) { registerClass<CellClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
