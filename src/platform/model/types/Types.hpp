// The types package "Zorvan.metamodel.types": data types, axes and their
// relatives. Same layout as the foundation package: per class X the
// interface NSInterface::XIntf, ImmutableX, XMutators and X.
//
// Element properties whose class is not modelled yet (CompuMethod, Unit,
// SwRecordLayout, ...) are typed by name in the class definitions and read
// as Ozo::ImmutableClassObject; value-typed properties (DataSize, ...) as
// Ozo::ImmutableObject.
#pragma once

#include <foundation/Foundation.hpp>

#include <optional>

namespace Zorvan::metamodel::types {

inline constexpr char kPackageName[] = "Zorvan.metamodel.types";

// Builds the package's meta classes (and the foundation's). Idempotent.
void initialize();
// The meta package "Zorvan.metamodel.types" with the package's classes.
Ozo::ImmutablePackage MetaPackage();

namespace NSInterface {

class PrimitiveTypeIntf : public foundation::NSInterface::ValueTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class RealIntf : public PrimitiveTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class IntegerIntf : public RealIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class SharedAxisTypeIntf : public foundation::NSInterface::ValueTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class SwGenericAxisParamTypeIntf : public foundation::NSInterface::NamedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class AxisIntf : public foundation::NSInterface::NamedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

}  // namespace NSInterface

// ---------------------------------------------------------------------------
// Immutable handles.

class ImmutableAxis;

class ImmutablePrimitiveType
    : public Ozo::ImmutableHandle<NSInterface::PrimitiveTypeIntf, foundation::ImmutableValueType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutablePrimitiveType cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutablePrimitiveType>(o);
  }
  Ozo::Real getGroundValue() const { return read<Ozo::Real>(1); }
  Ozo::ImmutableClassObject getCompuMethod() const { return read<Ozo::ImmutableClassObject>(2); }
  Ozo::ImmutableClassObject getUnit() const { return read<Ozo::ImmutableClassObject>(3); }
  Ozo::ImmutableClassObject getDataConstr() const { return read<Ozo::ImmutableClassObject>(4); }
  Ozo::ImmutableClassObject getSwBaseType() const { return read<Ozo::ImmutableClassObject>(5); }
  Ozo::Boolean getIsApplication() const { return read<Ozo::Boolean>(6); }
  ImmutablePrimitiveType getReference() const { return read<ImmutablePrimitiveType>(7); }
  Ozo::String getQualifier() const { return read<Ozo::String>(8); }
  std::optional<Ozo::Boolean> getIsVolatile() const {
    return Ozo::readOptional<Ozo::Boolean>(*this, Intf::sIntrospectiveMethods, 9);
  }
  std::optional<Ozo::Boolean> getIsConst() const {
    return Ozo::readOptional<Ozo::Boolean>(*this, Intf::sIntrospectiveMethods, 10);
  }

 private:
  template <class T>
  T read(unsigned i) const {
    return Ozo::readProperty<T>(*this, NSInterface::PrimitiveTypeIntf::sIntrospectiveMethods, i);
  }
};

class ImmutableReal : public Ozo::ImmutableHandle<NSInterface::RealIntf, ImmutablePrimitiveType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableReal cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableReal>(o); }
  std::optional<Ozo::Real> getMinValue() const {
    return Ozo::readOptional<Ozo::Real>(*this, Intf::sIntrospectiveMethods, 1);
  }
  std::optional<Ozo::Real> getMaxValue() const {
    return Ozo::readOptional<Ozo::Real>(*this, Intf::sIntrospectiveMethods, 2);
  }
  Ozo::Boolean getIsMinOpen() const { return Ozo::readProperty<Ozo::Boolean>(*this, Intf::sIntrospectiveMethods, 3); }
  Ozo::Boolean getIsMaxOpen() const { return Ozo::readProperty<Ozo::Boolean>(*this, Intf::sIntrospectiveMethods, 4); }
};

class ImmutableInteger : public Ozo::ImmutableHandle<NSInterface::IntegerIntf, ImmutableReal> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableInteger cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableInteger>(o); }
  // A DataSize value (an empty handle until set).
  Ozo::ImmutableObject getLength() const {
    return Ozo::readProperty<Ozo::ImmutableObject>(*this, Intf::sIntrospectiveMethods, 1);
  }
  Ozo::Boolean getIsSigned() const { return Ozo::readProperty<Ozo::Boolean>(*this, Intf::sIntrospectiveMethods, 2); }
};

class ImmutableSharedAxisType
    : public Ozo::ImmutableHandle<NSInterface::SharedAxisTypeIntf, foundation::ImmutableValueType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSharedAxisType cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableSharedAxisType>(o);
  }
  Ozo::ImmutableClassObject getSwRecordLayout() const {
    return Ozo::readProperty<Ozo::ImmutableClassObject>(*this, Intf::sIntrospectiveMethods, 1);
  }
  ImmutableAxis getAxis() const;
  Ozo::Boolean getIsApplication() const {
    return Ozo::readProperty<Ozo::Boolean>(*this, Intf::sIntrospectiveMethods, 3);
  }
  Ozo::Collection<ImmutableAxis> getSharedFrom() const;
  ImmutablePrimitiveType getValueAxisDataType() const {
    return Ozo::readProperty<ImmutablePrimitiveType>(*this, Intf::sIntrospectiveMethods, 5);
  }
  Ozo::String getQualifier() const { return Ozo::readProperty<Ozo::String>(*this, Intf::sIntrospectiveMethods, 6); }
  std::optional<Ozo::Boolean> getIsConst() const {
    return Ozo::readOptional<Ozo::Boolean>(*this, Intf::sIntrospectiveMethods, 7);
  }
  std::optional<Ozo::Boolean> getIsVolatile() const {
    return Ozo::readOptional<Ozo::Boolean>(*this, Intf::sIntrospectiveMethods, 8);
  }
};

class ImmutableSwGenericAxisParamType
    : public Ozo::ImmutableHandle<NSInterface::SwGenericAxisParamTypeIntf, foundation::ImmutableNamedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSwGenericAxisParamType cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableSwGenericAxisParamType>(o);
  }
  // A SwGenericAxisParamTypeCategory value (an empty handle until set).
  Ozo::ImmutableObject getCategory() const {
    return Ozo::readProperty<Ozo::ImmutableObject>(*this, Intf::sIntrospectiveMethods, 1);
  }
};

class ImmutableAxis : public Ozo::ImmutableHandle<NSInterface::AxisIntf, foundation::ImmutableNamedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableAxis cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableAxis>(o); }
  ImmutablePrimitiveType getBaseType() const { return read<ImmutablePrimitiveType>(1); }
  ImmutableSharedAxisType getSharedAxis() const { return read<ImmutableSharedAxisType>(2); }
  Ozo::Integer getDimensions() const { return read<Ozo::Integer>(3); }
  ImmutablePrimitiveType getInputVariableType() const { return read<ImmutablePrimitiveType>(4); }
  Ozo::Collection<Ozo::String> getSymbolicDimensions() const { return many<Ozo::String>(5); }
  // Owned (composite).
  Ozo::Collection<ImmutableSwGenericAxisParamType> getSwGenericAxisParamType() const {
    return many<ImmutableSwGenericAxisParamType>(6);
  }
  Ozo::Collection<Ozo::Real> getVf() const { return many<Ozo::Real>(7); }

 private:
  template <class T>
  T read(unsigned i) const {
    return Ozo::readProperty<T>(*this, NSInterface::AxisIntf::sIntrospectiveMethods, i);
  }
  template <class T>
  Ozo::Collection<T> many(unsigned i) const {
    return Ozo::readCollection<T>(*this, NSInterface::AxisIntf::sIntrospectiveMethods, i);
  }
};

inline ImmutableAxis ImmutableSharedAxisType::getAxis() const {
  return Ozo::readProperty<ImmutableAxis>(*this, Intf::sIntrospectiveMethods, 2);
}
inline Ozo::Collection<ImmutableAxis> ImmutableSharedAxisType::getSharedFrom() const {
  return Ozo::readCollection<ImmutableAxis>(*this, Intf::sIntrospectiveMethods, 4);
}

// ---------------------------------------------------------------------------
// Setters. Setting an empty handle clears an element or value property.

template <class B>
class PrimitiveTypeMutators : public B {
 public:
  using B::B;
  PrimitiveTypeMutators() = default;
  void setGroundValue(Ozo::Real v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 1, v); }
  void setCompuMethod(Ozo::ImmutableClassObject const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 2, v);
  }
  void setUnit(Ozo::ImmutableClassObject const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 3, v); }
  void setDataConstr(Ozo::ImmutableClassObject const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 4, v);
  }
  void setSwBaseType(Ozo::ImmutableClassObject const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 5, v);
  }
  void setIsApplication(Ozo::Boolean v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 6, v); }
  void setReference(ImmutablePrimitiveType const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 7, v);
  }
  void setQualifier(Ozo::String const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 8, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { Ozo::writeOptional(*this, M::sIntrospectiveMethods, 9, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { Ozo::writeOptional(*this, M::sIntrospectiveMethods, 10, v); }

 private:
  using M = NSInterface::PrimitiveTypeIntf;
};

template <class B>
class RealMutators : public B {
 public:
  using B::B;
  RealMutators() = default;
  void setMinValue(std::optional<Ozo::Real> v) const { Ozo::writeOptional(*this, M::sIntrospectiveMethods, 1, v); }
  void setMaxValue(std::optional<Ozo::Real> v) const { Ozo::writeOptional(*this, M::sIntrospectiveMethods, 2, v); }
  void setIsMinOpen(Ozo::Boolean v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 3, v); }
  void setIsMaxOpen(Ozo::Boolean v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 4, v); }

 private:
  using M = NSInterface::RealIntf;
};

template <class B>
class IntegerMutators : public B {
 public:
  using B::B;
  IntegerMutators() = default;
  void setLength(Ozo::ImmutableObject const& dataSize) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 1, dataSize);
  }
  void setIsSigned(Ozo::Boolean v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 2, v); }

 private:
  using M = NSInterface::IntegerIntf;
};

template <class B>
class SharedAxisTypeMutators : public B {
 public:
  using B::B;
  SharedAxisTypeMutators() = default;
  void setSwRecordLayout(Ozo::ImmutableClassObject const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 1, v);
  }
  void setAxis(ImmutableAxis const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 2, v); }
  void setIsApplication(Ozo::Boolean v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 3, v); }
  void setValueAxisDataType(ImmutablePrimitiveType const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 5, v);
  }
  void setQualifier(Ozo::String const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 6, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { Ozo::writeOptional(*this, M::sIntrospectiveMethods, 7, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { Ozo::writeOptional(*this, M::sIntrospectiveMethods, 8, v); }

 private:
  using M = NSInterface::SharedAxisTypeIntf;
};

template <class B>
class SwGenericAxisParamTypeMutators : public B {
 public:
  using B::B;
  SwGenericAxisParamTypeMutators() = default;
  void setCategory(Ozo::ImmutableObject const& category) const {
    Ozo::writeProperty(*this, NSInterface::SwGenericAxisParamTypeIntf::sIntrospectiveMethods, 1, category);
  }
};

template <class B>
class AxisMutators : public B {
 public:
  using B::B;
  AxisMutators() = default;
  void setBaseType(ImmutablePrimitiveType const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 1, v); }
  void setSharedAxis(ImmutableSharedAxisType const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 2, v);
  }
  void setDimensions(Ozo::Integer v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 3, v); }
  void setInputVariableType(ImmutablePrimitiveType const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 4, v);
  }

 private:
  using M = NSInterface::AxisIntf;
};

// ---------------------------------------------------------------------------
// Modifiable handles.

namespace detail {
template <class Imm>
using NamedElementBase =
    foundation::NamedElementMutators<foundation::ElementMutators<Ozo::Modifiable<Imm>>>;
template <class Imm>
using ValueTypeBase = foundation::ValueTypeMutators<foundation::NamespaceMutators<NamedElementBase<Imm>>>;
}  // namespace detail

class PrimitiveType : public PrimitiveTypeMutators<detail::ValueTypeBase<ImmutablePrimitiveType>> {
 public:
  using PrimitiveTypeMutators::PrimitiveTypeMutators;
};

class Real : public RealMutators<PrimitiveTypeMutators<detail::ValueTypeBase<ImmutableReal>>> {
 public:
  using RealMutators::RealMutators;
};

class Integer : public IntegerMutators<RealMutators<PrimitiveTypeMutators<detail::ValueTypeBase<ImmutableInteger>>>> {
 public:
  using IntegerMutators::IntegerMutators;
  static Integer create(Ozo::Model const& model);
  // A new Integer named `name`.
  static Integer create(Ozo::Model model, Ozo::String name);
};

class SharedAxisType : public SharedAxisTypeMutators<detail::ValueTypeBase<ImmutableSharedAxisType>> {
 public:
  using SharedAxisTypeMutators::SharedAxisTypeMutators;
  static SharedAxisType create(Ozo::Model const& model);
};

class SwGenericAxisParamType
    : public SwGenericAxisParamTypeMutators<detail::NamedElementBase<ImmutableSwGenericAxisParamType>> {
 public:
  using SwGenericAxisParamTypeMutators::SwGenericAxisParamTypeMutators;
  static SwGenericAxisParamType create(Ozo::Model const& model);
  static SwGenericAxisParamType create(Ozo::Model model, Ozo::String name);
};

class Axis : public AxisMutators<detail::NamedElementBase<ImmutableAxis>> {
 public:
  using AxisMutators::AxisMutators;
  static Axis create(Ozo::Model const& model);
  // A new Axis with its Dimensions and Name.
  static Axis create(Ozo::Model model, Ozo::Integer dimensions, Ozo::String name);
};

}  // namespace Zorvan::metamodel::types
