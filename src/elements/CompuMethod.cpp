// CompuMethod: how internal values convert to physical ones.
#include "elements/ClassFile.hpp"
#include "values/PropHelper.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct CompuMethodClass : TypesClass {
  using Intf = NSInterface::CompuMethodIntf;
  using Immutable = ImmutableCompuMethod;
  using Modifiable = CompuMethod;
  using Meta = CompuMethodMeta;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}, {4, kAttrMarked}, {5, kAttrMarked}, {6, kAttrMarked}};
  static constexpr MethodRow constructors[] = {
      creation<CompuMethod, Ozo::Model const&>(),
      creation<CompuMethod, Ozo::Model, Ozo::String, Ozo::String>(),
  };
};
}  // namespace

void staticInitializeCompuMethod(kovo::COSPackage* package) { registerClass<CompuMethodClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
