// The five enumeration classes, one pattern: the class's own facts are its
// literal table in the types library.
#include "marshal/ValueConvert.hpp"
#include "values/Registration.hpp"
#include "values/ValueClasses.hpp"

#include <xb/ElementClass.hpp>
#include <xb/Methods.hpp>

#include <kovo/Core.hpp>

#include <array>
#include <utility>

namespace Zorvan::metamodel::types::xb {

namespace {

using namespace Ozo::xb;

template <class E>
struct EnumerationRows {
  static bool isValid(E self) { return self.isValid(); }
  static Ozo::ImmutableDataType metaDataType(E self) { return self.getMetaDataType(); }
  static E fromString(Chars text) { return E::fromString(text.utf8); }
  static Ozo::String toString(E self) { return self.toString(); }
  static void disp(E self) { zkPrintf("%s\n", self.toString().utf8().c_str()); }

  // Each literal is one constant, built on first use.
  template <std::int32_t Code>
  static E literal() {
    static E const value(static_cast<typename E::Value>(Code));
    return value;
  }

  static bool eq(E a, E b) { return a == b; }
  static bool ne(E a, E b) { return !eq(a, b); }
  static bool gt(E a, E b) { return a.code() > b.code(); }
  static bool ge(E a, E b) { return a.code() >= b.code(); }
  static bool lt(E a, E b) { return a.code() < b.code(); }
  static bool le(E a, E b) { return a.code() <= b.code(); }

  static constexpr MethodRow kHead[] = {
      instanceMethod<&isValid>("isvalid"),
      staticMethod<&E::MetaDataType>("MetaDataType"),
      instanceMethod<&metaDataType>("getMetaDataType"),
      instanceMethod<&modifiableMetaType>("getMetaType", kovo::factory::kAttrInstanceOnly),
      staticMethod<&fromString>("fromString"),
      instanceMethod<&toString>("toString"),
      explicitMethod<&disp>("disp", Ozo::xb::kAttrExplicit),
  };
  template <std::size_t... I>
  static constexpr auto literalRows(std::index_sequence<I...>) {
    return std::array<MethodRow, sizeof...(I)>{
        staticMethod<&literal<static_cast<std::int32_t>(I)>>(E::literals[I])...};
  }
  static constexpr auto kLiterals = literalRows(std::make_index_sequence<E::kCount>{});
  static constexpr MethodRow kComparisons[] = {
      explicitMethod<&eq>("eq", Ozo::xb::kAttrExplicit), explicitMethod<&ne>("ne", Ozo::xb::kAttrExplicit),
      explicitMethod<&gt>("gt", Ozo::xb::kAttrExplicit), explicitMethod<&ge>("ge", Ozo::xb::kAttrExplicit),
      explicitMethod<&lt>("lt", Ozo::xb::kAttrExplicit), explicitMethod<&le>("le", Ozo::xb::kAttrExplicit),
  };
};

}  // namespace

// One class description per enumeration: no constructor, no property, no
// superclass; values come from the literal methods, "fromString" and
// value-typed properties.
template <class E>
class EnumerationWrapper final : public ClassMetaData {
 public:
  EnumerationWrapper() : ClassMetaData(E::name, "An enumeration") {}
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    using R = EnumerationRows<E>;
    addMethods(cls, R::kHead);
    addMethods(cls, R::kLiterals);
    addMethods(cls, R::kComparisons);
  }
};

template void registerValue<CompuMethodCategory>(kovo::COSPackage*);
template void registerValue<DataSizeUnitKind>(kovo::COSPackage*);
template void registerValue<FloatingPointKind>(kovo::COSPackage*);
template void registerValue<SwGenericAxisParamTypeCategory>(kovo::COSPackage*);
template void registerValue<TimeUnitKind>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
