// The property descriptor base and the descriptors the platform factory builds:
// elements and element sequences, primitive sequences, value types and
// meta-property entries. Every descriptor reaches the model only through the
// accessor record of its model class and its index.
#include <xb/Marshal.hpp>
#include <xb/Property.hpp>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace Ozo::xb {
namespace {

constexpr char kPropertyHeader[] = "ozo_xb/marshal/OzoxbProperty";
constexpr char kImmutablePrefix[] = "Immutable";
constexpr char kMultiValuedMessage[] = "You cannot set a multi-valued property";
constexpr char kReadOnlyMessage[] = "You cannot set a read-only property";

[[noreturn]] void fail(char const* header, int line, char const* message) {
  OZO_FAIL_AT(header, line, "%s", message);
  // handle() always throws for a failed check; this only tells the compiler.
  throw Exception(composeAssertion(Asserter::fLogBuf, header, line, ""));
}

unsigned traitsOf(Multiplicity m, Mutability mu, char const* hostType) {
  unsigned traits = 0;
  if (m == Multiplicity::Many) traits |= kTraitMultiValued;
  if (mu == Mutability::ReadOnly) traits |= kTraitReadOnly;
  // A required string stores the empty text instead of clearing the value.
  if (m == Multiplicity::ExactlyOne && hostType != nullptr && std::strcmp(hostType, "char") == 0)
    traits |= kTraitKeepEmpty;
  return traits;
}

constexpr WriteChecks kClassObjectChecks{"ozo_xb/marshal/OzoxbClassObjectProperty", 60, 61};
constexpr WriteChecks kPrimitiveSequenceChecks{"ozo_xb/marshal/OzoxbPrimitiveSequenceProperty", 60, 61};
constexpr WriteChecks kDataTypeChecks{"ozo_xb/marshal/OzoxbDataTypeProperty", 60, 61};
constexpr WriteChecks kMetaPropertyChecks{"ozo_xb/marshal/OzoxbMetaProperty", 60, 61};

// The checks of every write, then the model object, which must exist.
ClassObject checkedWriteTarget(OzoxbProperty const& p, kovo::COSInterface* target, WriteChecks const& at) {
  ClassObject object = p.writeTarget(target, at, internedName(p.getDataType()));
  object.checked();
  return object;
}

// "P.ImmutableX" -> "P.X": the modifiable form of an immutable class name.
kovo::Interned modifiableName(char const* immutableName) {
  std::string_view const full = immutableName ? immutableName : "";
  std::size_t const dot = full.rfind('.');
  std::size_t const shortStart = dot == std::string_view::npos ? 0 : dot + 1;
  if (full.substr(shortStart).starts_with(kImmutablePrefix)) {
    std::string name(full.substr(0, shortStart));
    name += full.substr(shortStart + sizeof kImmutablePrefix - 1);
    return kovo::intern(name);
  }
  return kovo::intern(full);
}

// Elements (multiplicity 0 or 1) and live sequences (2): of elements for
// ClassObject, of strings, integers or reals for PrimitiveSequence. A read
// answers in the view the host object stands for.
class ReferenceProperty final : public OzoxbProperty {
 public:
  ReferenceProperty(WriteChecks const& checks, char const* className, char const* name,
                    IntrospectiveMethods const* methods, unsigned index, char const* hostType, Multiplicity m,
                    Mutability mu, kovo::factory::PropertyAttributes a)
      : OzoxbProperty(className, name, methods, index, hostType, m, mu, a),
        fChecks(&checks),
        fImmutableName(kovo::intern(hostType)),
        fModifiableName(modifiableName(hostType)) {}

  kovo::COSValue getValue(kovo::COSInterface* target) override {
    if (isMultiValued()) return OzoxbProperty::getValue(target);
    ClassObject object = modelObject(target);
    object.checked();
    return element(object, isImmutableView(target, fImmutableName));
  }

  kovo::COSValue getSingleValuedValue(ClassObject& object) override { return element(object, true); }

  void setValue(kovo::COSInterface* target, kovo::COSValue value) override {
    ClassObject const object = checkedWriteTarget(*this, target, *fChecks);
    // The host has already checked the class against the data type.
    ImmutableObject const v = toHandle(value, fImmutableName);
    if (v.isValid())
      accessors().set(object, index(), Object::fromImmutable(v));
    else
      accessors().unset(object, index());
  }

 private:
  kovo::COSValue element(ClassObject const& object, bool immutable) {
    kovo::Interned const fallback = immutable ? fImmutableName : fModifiableName;
    if (!accessors().isSet(object, index())) return returnObject(ImmutableObject(), fallback, immutable);
    Object const value = accessors().get(object, index());
    kovo::Interned const cls = value.isValid() ? internedName(value.get()->getKovoName(immutable)) : fallback;
    return returnObject(value, cls, immutable);
  }

  WriteChecks const* fChecks;
  kovo::Interned fImmutableName;
  kovo::Interned fModifiableName;
};

// Value types: the helper converts, the descriptor finds and checks.
class DataTypeProperty final : public OzoxbProperty {
 public:
  DataTypeProperty(std::unique_ptr<PropHelperBase>&& helper, char const* className, char const* name,
                   IntrospectiveMethods const* methods, unsigned index, char const* hostType, Multiplicity m,
                   Mutability mu, kovo::factory::PropertyAttributes a)
      : OzoxbProperty(className, name, methods, index, hostType, m, mu, a), fHelper(std::move(helper)) {}

  kovo::COSValue getSingleValuedValue(ClassObject& object) override { return fHelper->get(object, *this); }
  kovo::COSValue hostForm(Object const& value, bool set) override {
    return fHelper->out(set ? value : Object(), *this);
  }

  void setValue(kovo::COSInterface* target, kovo::COSValue value) override {
    ClassObject const object = checkedWriteTarget(*this, target, kDataTypeChecks);
    fHelper->set(object, *this, value);
  }

 private:
  std::unique_ptr<PropHelperBase> fHelper;
};

// One meta-property entry: reading it gives the property object creator(id).
class MetaPropertyEntry final : public kovo::COSPropInfo {
 public:
  MetaPropertyEntry(char const* name, MetaPropertyCreator creator, unsigned id, char const* declaredBy)
      : kovo::COSPropInfo(name, "Ozo.ImmutableProperty", 0), fCreator(creator), fId(id),
        fDeclaredBy(kovo::intern(declaredBy)) {}

  Facts facts() const override {
    Facts f;
    f.readOnly = true;
    f.metaId = static_cast<int>(fId);
    f.declaredBy = fDeclaredBy;
    return f;
  }

  kovo::COSValue getValue(kovo::COSInterface*) override {
    return returnObject(fCreator(fId), true, "Ozo.ImmutableProperty");
  }

  void setValue(kovo::COSInterface*, kovo::COSValue) override {
    fail(kMetaPropertyChecks.header, kMetaPropertyChecks.readOnlyLine, kReadOnlyMessage);
  }

 private:
  MetaPropertyCreator fCreator;
  unsigned fId;
  kovo::Interned fDeclaredBy;  // the model class that declares the property
};

// Builds one descriptor and hands it to the class, which owns it from the call
// on. A constructor that throws gives the block back (operator delete).
template <class Descriptor, class... Args>
void addDescriptor(kovo::COSClass* cls, Args&&... args) {
  cls->addProperty(new Descriptor(std::forward<Args>(args)...));
}

}  // namespace

ClassObject OzoxbProperty::writeTarget(kovo::COSInterface* target, WriteChecks const& at,
                                       kovo::Interned viewName) const {
  if (isMultiValued()) fail(at.header, at.multiValuedLine, kMultiValuedMessage);
  if (isReadOnly()) fail(at.header, at.readOnlyLine, kReadOnlyMessage);
  if (isImmutableView(target, viewName)) throwSetProhibitedException();
  return modelObject(target);
}

// ---------------------------------------------------------------------------
OzoxbProperty::OzoxbProperty(char const* className, char const* name, IntrospectiveMethods const* methods,
                             unsigned index, char const* hostType, Multiplicity m, Mutability mu,
                             kovo::factory::PropertyAttributes attributes)
    : kovo::COSPropInfo(name, hostType, attributes),
      fClassName(kovo::intern(className).c_str()),
      fMethods(methods),
      fIndex(index),
      fTraits(traitsOf(m, mu, hostType)),
      fMultiplicity(m) {}

OzoxbProperty::~OzoxbProperty() = default;

kovo::COSPropInfo::Facts OzoxbProperty::facts() const {
  Facts f;
  f.multiplicity = static_cast<int>(fMultiplicity);
  f.readOnly = isReadOnly();
  f.index = fIndex;
  return f;
}

kovo::COSValue OzoxbProperty::getValue(kovo::COSInterface* target) {
  ClassObject object = modelObject(target);
  object.checked();
  if (!isMultiValued()) return getSingleValuedValue(object);
  return getMultiValuedValue(object, isImmutableView(target, internedName(getDataType())));
}

kovo::COSValue OzoxbProperty::hostForm(Object const& value, bool set) {
  if (!set || !value.isValid()) return 0;  // the empty value of the data type
  return returnObject(value, internedName(value.get()->getKovoName(false)), false);
}

kovo::COSValue OzoxbProperty::getMultiValuedValue(ClassObject& object, bool immutableView) {
  // The model's own live collection, named by the collection for the view.
  Object const collection = accessors().get(object, fIndex);
  if (collection.isValid())
    return returnObject(collection, internedName(collection.get()->getKovoName(immutableView)), immutableView);
  kovo::Interned const fallback = immutableView ? internedName(getDataType()) : modifiableName(getDataType());
  return returnObject(collection, fallback, immutableView);
}

ClassObject OzoxbProperty::modelObject(kovo::COSInterface* target) {
  if (target == nullptr) return {};
  static kovo::Interned const classObject = kovo::intern("Ozo.ClassObject");
  VariantInfo const* info = DeviantRegistry::getVariantInfo(target->lookup(classObject));
  if (info == nullptr) return {};
  return ClassObject(info->element, info->deviant);
}

bool OzoxbProperty::isImmutableView(kovo::COSInterface* target, kovo::Interned scalarName) {
  return target != nullptr && DeviantRegistry::isImmutable(target->lookup(scalarName));
}

void OzoxbProperty::throwSetProhibitedException() {
  fail(kPropertyHeader, 87, "You cannot modify an immutable object");
}

// ---------------------------------------------------------------------------
void OzoxbPropertyFactory::ClassObject(char const* name, Multiplicity m, Mutability mu, unsigned index,
                                       char const* hostType, kovo::factory::PropertyAttributes a) {
  addDescriptor<ReferenceProperty>(fClass, kClassObjectChecks, fClassName, name, fMethods, index, hostType, m, mu,
                                   a);
}

void OzoxbPropertyFactory::PrimitiveSequence(char const* name, Multiplicity m, Mutability mu, unsigned index,
                                             char const* hostType, kovo::factory::PropertyAttributes a) {
  addDescriptor<ReferenceProperty>(fClass, kPrimitiveSequenceChecks, fClassName, name, fMethods, index, hostType,
                                   m, mu, a);
}

void OzoxbPropertyFactory::DataType(char const* name, Multiplicity m, Mutability mu, unsigned index,
                                    char const* hostType, PropHelperBase* helper,
                                    kovo::factory::PropertyAttributes a) {
  // Owned from here on, also when the descriptor cannot be built.
  std::unique_ptr<PropHelperBase> owned(helper);
  OZO_ASSERT_AT(kPropertyHeader, 120, owned != nullptr, "value-type property \"%s\" has no helper", name);
  addDescriptor<DataTypeProperty>(fClass, std::move(owned), fClassName, name, fMethods, index, hostType, m, mu, a);
}

void OzoxbPropertyFactory::addMetaProperty(char const* name, MetaPropertyCreator creator, unsigned int id,
                                           char const* declaredBy) {
  OZO_ASSERT_AT(kPropertyHeader, 130, creator != nullptr, "meta property \"%s\" has no creator", name);
  addDescriptor<MetaPropertyEntry>(fClass, name, creator, id, declaredBy);
}

}  // namespace Ozo::xb
