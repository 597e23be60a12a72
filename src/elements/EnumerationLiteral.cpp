// EnumerationLiteral: one named value of an enumeration.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct EnumerationLiteralClass : TypesClass<EnumerationLiteral> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesEnumerationLiteral";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 916>;
  static constexpr ShownProperty shown[] = {
      {1}, {2, kAttrMarked, "hasValidValue"}, {3, kAttrMarked, "isSecure"}, {6, kAttrMarked, "enumeration"}};
};
}  // namespace

template <>
struct ElementFile<EnumerationLiteral> {
  using Class = EnumerationLiteralClass;
};
template void registerElement<EnumerationLiteral>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
