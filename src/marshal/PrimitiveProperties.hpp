// Descriptors of Boolean, Integer, Real and String properties.
//
// One class template per shape (required, optional, string), instantiated
// for the primitive value types; all descriptors of a shape share the code
// and reach the model through the accessor record with their index.
#pragma once

#include <Ozo/Meta.hpp>
#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>
#include <xb/Property.hpp>

#include <cstring>

namespace ozo {
// The runtime's text for a value with more than one element where at most one fits.
char const* getTooManyElementsMessage();
}  // namespace ozo

namespace Ozo::xb {

// What each primitive type brings: its host scalar name, the host array
// class of its optional form, and the conversions of the value word.
template <class T>
struct PrimitiveTraits;

template <>
struct PrimitiveTraits<Integer> {
  static constexpr char const* scalarName = "int32 scalar";
  static constexpr kovo::ClassID arrayClass = kovo::ClassID::Int32;
  static kovo::COSValue toWord(Integer v) { return kovo::fromInt32(v.value()); }
  static Integer fromWord(kovo::COSValue w) { return Integer(kovo::toInt32(w)); }
  static kovo::HostArray* toArray(Integer v) { return kovo::HostArray::createInt32(v.value()); }
  static Integer fromArray(kovo::HostArray const& a) { return Integer(a.int32s()[0]); }
};

template <>
struct PrimitiveTraits<Real> {
  static constexpr char const* scalarName = "double scalar";
  static constexpr kovo::ClassID arrayClass = kovo::ClassID::Double;
  static kovo::COSValue toWord(Real v) { return kovo::fromDouble(v.value()); }
  static Real fromWord(kovo::COSValue w) { return Real(kovo::toDouble(w)); }
  static kovo::HostArray* toArray(Real v) { return kovo::HostArray::createDouble(v.value()); }
  static Real fromArray(kovo::HostArray const& a) { return Real(a.doubles()[0]); }
};

template <>
struct PrimitiveTraits<Boolean> {
  static constexpr char const* scalarName = "logical scalar";
  static constexpr kovo::ClassID arrayClass = kovo::ClassID::Logical;
  static kovo::COSValue toWord(Boolean v) { return kovo::fromLogical(v.value()); }
  // The whole word counts: 256 (low byte zero) is true.
  static Boolean fromWord(kovo::COSValue w) { return Boolean(w != 0); }
  static kovo::HostArray* toArray(Boolean v) { return kovo::HostArray::createLogical(v.value()); }
  static Boolean fromArray(kovo::HostArray const& a) { return Boolean(a.logicals()[0] != 0); }
};

// Checks every write makes first, in this order, and the model object behind
// the target: multi-valued, read-only, immutable view.
ClassObject writableObject(OzoxbProperty const& p, kovo::COSInterface* target, char const* header, int multiLine,
                           int readOnlyLine, char const* scalarName);

// A value that is always present (multiplicity exactly one).
template <class T>
class OzoxbPrimitiveProperty final : public OzoxbProperty {
 public:
  using OzoxbProperty::OzoxbProperty;

  kovo::COSValue getSingleValuedValue(ClassObject& object) override {
    Object const value = accessors().get(object, index());
    return PrimitiveTraits<T>::toWord(T(value));
  }

  void setValue(kovo::COSInterface* target, kovo::COSValue value) override {
    ClassObject const object = writableObject(*this, target, "ozo_xb/marshal/OzoxbPrimitiveProperty", 122, 123,
                                              PrimitiveTraits<T>::scalarName);
    accessors().set(object, index(), Object(PrimitiveTraits<T>::fromWord(value)));
  }

  void releaseValue(kovo::COSInterface*, kovo::COSValue) override {}
};

// A value that may be absent: the host form is an empty or 1-by-1 array.
template <class T>
class OzoxbOptionalPrimitiveProperty final : public OzoxbProperty {
 public:
  using OzoxbProperty::OzoxbProperty;

  kovo::COSValue getSingleValuedValue(ClassObject& object) override {
    if (!accessors().isSet(object, index()))
      return kovo::fromArray(kovo::factory::basic::BindingRegistry::announce(nullptr, kovo::intern(getDataType())));
    Object const value = accessors().get(object, index());
    return kovo::fromArray(PrimitiveTraits<T>::toArray(T(value)));
  }

  void setValue(kovo::COSInterface* target, kovo::COSValue value) override {
    ClassObject const object = writableObject(*this, target, "ozo_xb/marshal/OzoxbOptionalPrimitiveProperty", 53,
                                              54, PrimitiveTraits<T>::scalarName);
    kovo::HostArray const& a = *kovo::toArray(value);
    std::size_t const count = a.numel();
    OZO_ASSERT_AT("ozo_xb/marshal/OptionalPrimitiveMarshaling", 84, count <= 1, "%s",
                  ozo::getTooManyElementsMessage());
    if (count == 0)
      accessors().unset(object, index());
    else
      accessors().set(object, index(), Object(PrimitiveTraits<T>::fromArray(a)));
  }

  void releaseValue(kovo::COSInterface*, kovo::COSValue value) override { kovo::destroyArray(kovo::toArray(value)); }
};

// A string, present or absent; absent reads as the empty text.
template <class T>
class OzoxbStringProperty final : public OzoxbProperty {
 public:
  using OzoxbProperty::OzoxbProperty;

  kovo::COSValue getSingleValuedValue(ClassObject& object) override {
    if (!accessors().isSet(object, index())) return kovo::fromArray(kovo::HostArray::createString(u""));
    T const value(accessors().get(object, index()));
    return kovo::fromArray(kovo::HostArray::createString(value.text()));
  }

  void setValue(kovo::COSInterface* target, kovo::COSValue value) override {
    ClassObject const object =
        writableObject(*this, target, "ozo_xb/marshal/OzoxbStringProperty", 50, 51, "char vector");
    T const text(matrix::get_ustring(kovo::toArray(value)));
    if (!text.empty() || keepsEmpty())
      accessors().set(object, index(), Object(text));
    else
      accessors().unset(object, index());
  }

  void releaseValue(kovo::COSInterface*, kovo::COSValue value) override { kovo::destroyArray(kovo::toArray(value)); }
};

template <class T>
void OzoxbPropertyFactory::Primitive(char const* name, Multiplicity m, Mutability mu, unsigned index,
                                     char const* hostType, kovo::factory::PropertyAttributes a) {
  OzoxbProperty* p;
  if (m == Multiplicity::ZeroOrOne)
    p = new OzoxbOptionalPrimitiveProperty<T>(fClassName, name, fMethods, index, hostType, Multiplicity::ZeroOrOne,
                                              mu, a);
  else
    p = new OzoxbPrimitiveProperty<T>(fClassName, name, fMethods, index, hostType, m, mu, a);
  fClass->addProperty(p);
}

template <class T>
void OzoxbPropertyFactory::String(char const* name, Multiplicity m, Mutability mu, unsigned index, char const*,
                                  kovo::factory::PropertyAttributes a) {
  fClass->addProperty(new OzoxbStringProperty<T>(fClassName, name, fMethods, index, "char", m, mu, a));
}

}  // namespace Ozo::xb

namespace Zorvan::xb {
// Registers a Boolean, Integer or Real descriptor, the type chosen by the host type.
void registerPrimitive(Ozo::xb::OzoxbPropertyFactory& factory, char const* name, Ozo::xb::Multiplicity m,
                       Ozo::xb::Mutability mu, unsigned index, char const* hostType,
                       kovo::factory::PropertyAttributes a);
}  // namespace Zorvan::xb
