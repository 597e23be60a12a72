// DataSize and Time, one pattern: value classes whose host objects each hold
// their own copy of one value.
#include "marshal/ValueConvert.hpp"
#include "values/Registration.hpp"
#include "values/ValueClasses.hpp"

#include <xb/ElementClass.hpp>
#include <xb/Methods.hpp>

#include <type_traits>

namespace Zorvan::metamodel::types::xb {

namespace {

using namespace Ozo::xb;

// Per-type facts: the number type and the unit enumeration.
template <class V>
struct ValueFacts;
template <>
struct ValueFacts<DataSize> {
  using Number = Ozo::Integer;
  using Unit = DataSizeUnitKind;
};
template <>
struct ValueFacts<Time> {
  using Number = Ozo::Real;
  using Unit = TimeUnitKind;
};

template <class V>
struct ValueRows {
  using Number = typename ValueFacts<V>::Number;
  using Unit = typename ValueFacts<V>::Unit;

  static V makeDefault() { return V(); }
  static V copyOf(V const* other) {
    if (!other) throw Ozo::Exception(std::string("Cannot copy an empty ") + V::name);
    return *other;
  }
  static V make(Number value, Unit unit) { return V(value, unit); }
  static bool isValid(V* self) { return self->isValid(); }
  static Ozo::ImmutableDataType metaDataType(V* self) { return self->getMetaDataType(); }
  static V fromString(Ozo::String text) { return V::fromString(text); }
  static Ozo::String toString(V* self) { return self->toString(); }
  // Both arguments are taken before the object is checked: a second
  // argument that is no single value is reported first.
  static bool eq(V const* self, V const* other) {
    V const& value = *selfValue(self);
    if (!other) throw Ozo::Exception(std::string("Cannot compare a ") + V::name + " with an empty value");
    return value == *other;
  }
  static bool ne(V const* self, V const* other) { return !eq(self, other); }

  static constexpr MethodRow kMethods[] = {
      constructor<&makeDefault>(),
      constructor<&copyOf>(),
      constructor<&make>(),
      instanceMethod<&isValid>("isvalid"),
      staticMethod<&V::MetaDataType>("MetaDataType"),
      instanceMethod<&metaDataType>("getMetaDataType"),
      staticMethod<&fromString>("fromString"),
      instanceMethod<&toString>("toString"),
      instanceMethod<&modifiableMetaType>("getMetaType", kovo::factory::kAttrInstanceOnly),
      instanceMethod<&eq>("eq"),
      instanceMethod<&ne>("ne"),
  };
};

// "value" and "unit": the accessors of the value the host object holds.
template <class V, class T, T (V::*Get)() const, void (V::*Set)(T const&)>
class AccessorProperty final : public kovo::COSPropInfo {
 public:
  explicit AccessorProperty(char const* name) : COSPropInfo(name, Convert<T>::type({}), Ozo::xb::kAttrValueField) {}
  kovo::COSValue getValue(kovo::COSInterface* target) override { return Convert<T>::out((self(target)->*Get)(), {}); }
  void setValue(kovo::COSInterface* target, kovo::COSValue value) override {
    V* const v = self(target);
    (v->*Set)(Convert<T>::in(value, {}));
  }

 private:
  static V* self(kovo::COSInterface* target) {
    void* const p = target ? target->lookup(internedName(hostClassName<V>())) : nullptr;
    return selfValue(static_cast<V*>(p));
  }
};

}  // namespace

template <class V>
class StructuredValueWrapper final : public kovo::factory::KovoFactoryClassInfo {
 public:
  StructuredValueWrapper() : KovoFactoryClassInfo(V::name, "") {}
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    using Number = typename ValueFacts<V>::Number;
    using Unit = typename ValueFacts<V>::Unit;
    addMethods(cls, ValueRows<V>::kMethods);
    cls->addProperty(new AccessorProperty<V, Number, &V::getValue, &V::setValue>("value"));
    cls->addProperty(new AccessorProperty<V, Unit, &V::getUnit, &V::setUnit>("unit"));
  }
  // A value object's copy is never in the binding registry (and the host
  // unregisters any object before this runs): only the copy goes.
  void destroyInstance(void*, void* instance) override { delete static_cast<V*>(instance); }
};

template void registerValue<DataSize>(kovo::COSPackage*);
template void registerValue<Time>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
