// Descriptors of Boolean, Integer, Real and String properties.
//
// One class template per shape (required, optional, string), instantiated
// for the primitive value types; all descriptors of a shape share the code
// and reach the model through the accessor record with their index.
#pragma once

#include <Ozo/Meta.hpp>
#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>
#include <xb/Convert.hpp>
#include <xb/Property.hpp>

#include <cstring>

namespace Ozo::xb {

// The host data type a primitive descriptor's writes are checked against,
// interned once per value type.
template <class T>
kovo::Interned writeViewName() {
  static kovo::Interned const name = kovo::intern(Convert<T>::type({}));
  return name;
}

inline kovo::Interned charVectorName() {
  static kovo::Interned const name = kovo::intern("char vector");
  return name;
}

// A value that is always present (multiplicity exactly one).
template <class T>
class OzoxbPrimitiveProperty final : public OzoxbProperty {
 public:
  using OzoxbProperty::OzoxbProperty;

  kovo::COSValue getSingleValuedValue(ClassObject& object) override {
    Object const value = accessors().get(object, index());
    return Convert<T>::out(T(value), {});
  }
  kovo::COSValue hostForm(Object const& value, bool) override { return Convert<T>::out(T(value), {}); }

  void setValue(kovo::COSInterface* target, kovo::COSValue value) override {
    ClassObject const object = writeTarget(target, {"ozo_xb/marshal/OzoxbPrimitiveProperty", 122, 123},
                                           writeViewName<T>());
    accessors().set(object, index(), Object(Convert<T>::in(value, {})));
  }

  void releaseValue(kovo::COSInterface*, kovo::COSValue) override {}
};

// A value that may be absent: the host form is an empty or 1-by-1 array.
template <class T>
class OzoxbOptionalPrimitiveProperty final : public OzoxbProperty {
 public:
  using OzoxbProperty::OzoxbProperty;

  kovo::COSValue getSingleValuedValue(ClassObject& object) override {
    std::optional<T> value;
    if (accessors().isSet(object, index())) value = T(accessors().get(object, index()));
    return Convert<std::optional<T>>::out(value, {});
  }
  kovo::COSValue hostForm(Object const& value, bool set) override {
    std::optional<T> v;
    if (set && value.isValid()) v = T(value);
    return Convert<std::optional<T>>::out(v, {});
  }

  void setValue(kovo::COSInterface* target, kovo::COSValue value) override {
    ClassObject const object = writeTarget(target, {"ozo_xb/marshal/OzoxbOptionalPrimitiveProperty", 53, 54},
                                           writeViewName<T>());
    std::optional<T> const v = Convert<std::optional<T>>::in(value, {});
    if (v)
      accessors().set(object, index(), Object(*v));
    else
      accessors().unset(object, index());
  }

  void releaseValue(kovo::COSInterface*, kovo::COSValue value) override { kovo::destroyArray(kovo::toArray(value)); }
};

// A string, present or absent; absent reads as the empty text.
template <class T>
class OzoxbStringProperty final : public OzoxbProperty {
 public:
  using OzoxbProperty::OzoxbProperty;

  kovo::COSValue getSingleValuedValue(ClassObject& object) override {
    if (!accessors().isSet(object, index())) return textResult(std::u16string_view());
    T const value(accessors().get(object, index()));
    return textResult(std::u16string_view(value.text()));
  }
  kovo::COSValue hostForm(Object const& value, bool set) override {
    if (!set || !value.isValid()) return textResult(std::u16string_view());
    T const text(value);
    return textResult(std::u16string_view(text.text()));
  }

  void setValue(kovo::COSInterface* target, kovo::COSValue value) override {
    ClassObject const object =
        writeTarget(target, {"ozo_xb/marshal/OzoxbStringProperty", 50, 51}, charVectorName());
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
