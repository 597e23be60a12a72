// EnumerationLiteralReference: a value that names an enumeration literal.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
// What the reference computes, with the object in view Self.
template <class Self>
struct ReferenceMethods {
  static Ozo::Boolean isComputable(Self const& self) { return self.isComputable(); }
  static Ozo::String stringValue(Self const& self) { return self.stringValue(); }
  static constexpr MethodRow rows[] = {
      instanceMethod<&isComputable>("isComputable", kInstanceOnly),
      instanceMethod<&stringValue>("stringValue", kInstanceOnly),
  };
};

struct EnumerationLiteralReferenceClass : TypesClass<EnumerationLiteralReference> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesEnumerationLiteralReference";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 939>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}, {2}};
  static constexpr auto& methods = ReferenceMethods<ImmutableEnumerationLiteralReference>::rows;
  static constexpr auto& modifiableMethods = ReferenceMethods<EnumerationLiteralReference>::rows;
};
}  // namespace

template <>
struct ElementFile<EnumerationLiteralReference> {
  using Class = EnumerationLiteralReferenceClass;
};
template void registerElement<EnumerationLiteralReference>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
