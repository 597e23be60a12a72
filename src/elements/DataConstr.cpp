// DataConstr: constraints on the values of primitive types.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct DataConstrClass {
  using Intf = NSInterface::DataConstrIntf;
  using Immutable = ImmutableDataConstr;
  using Modifiable = DataConstr;
  using Meta = DataConstrMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Unit", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableUnit", 0},
      {2, "PrimitiveType", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutablePrimitiveType", 0},
  };
  static constexpr MethodRow constructors[] = {
      creation<DataConstr, Ozo::Model const&>(),
      creation<DataConstr, Ozo::Model, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeDataConstr(kovo::COSPackage* package) { registerClass<DataConstrClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
