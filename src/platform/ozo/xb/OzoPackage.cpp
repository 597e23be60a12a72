// The runtime's own host package "Ozo": objects, models, meta objects. Every
// class is a row of one table and is built by the same class description.
#include <xb/ClassInfo.hpp>
#include <xb/Marshal.hpp>
#include <xb/Property.hpp>
#include <xb/Sequences.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Ozo::xb {
namespace {

using kovo::COSValue;
using kovo::factory::GenericFn;
using kovo::factory::InvokerFn;
using kovo::factory::impl::Binding;

constexpr char kPackageHeader[] = "ozo_xb/OzoPackage";
constexpr char kImmutableObject[] = "Ozo.ImmutableObject";

COSValue input(int nrhs, COSValue const* in, int i) { return i < nrhs ? in[i] : 0; }

// The self object of an instance method, checked for a live binding first.
// `immutable` (when asked) tells whether it was given in its immutable view.
ImmutableObject self(int nrhs, COSValue const* in, bool* immutable = nullptr) {
  COSValue const word = input(nrhs, in, 0);
  kovo::Interned const cls = internedName(kImmutableObject);
  kovo::HostArray const* a = kovo::toArray(word);
  if (immutable) *immutable = false;
  if (a != nullptr && a->classID() == kovo::ClassID::Object && !a->isEmpty()) {
    kovo::COSInterfacePtr const object = kovo::omGetArrayElement(a, 0);
    if (object) {
      void* const id = object->lookup(cls);
      kovo::factory::impl::validateSelfPointer(id);
      if (immutable) *immutable = DeviantRegistry::isImmutable(id);
    }
  }
  return toHandle(word, cls);
}

// The object as one of the runtime's interfaces; the NULL-ref failure otherwise.
template <class Intf>
Intf* as(ImmutableObject const& o) {
  Intf* const intf = o.isValid() ? o.get()->template castTo<VisitationDomain, Intf>() : nullptr;
  return Handle<Intf>(intf, o.deviant()).checked();
}

COSValue text(std::string const& s) { return kovo::fromArray(kovo::HostArray::createString(std::string_view(s))); }

// ---------------------------------------------------------------------------
// Invokers.
void invokeToString(Binding const&, kovo::COSClient*, int& nlhs, COSValue* out, int nrhs, COSValue const* in) {
  ImmutableObject const object = self(nrhs, in);
  object.checked();
  out[0] = text(object.toString());
  fixOutputCount(nlhs);
}

using Comparison = bool (*)(ImmutableObject const&, ImmutableObject const&);
bool same(ImmutableObject const& a, ImmutableObject const& b) { return a == b; }
bool differ(ImmutableObject const& a, ImmutableObject const& b) { return !(a == b); }

// "eq" and "ne": the target is the comparison. Views do not matter: both
// views of an object hold the same object and deviant.
void invokeCompare(Binding const& b, kovo::COSClient*, int& nlhs, COSValue* out, int nrhs, COSValue const* in) {
  ImmutableObject const object = self(nrhs, in);
  ImmutableObject const other = toHandle(input(nrhs, in, 1), internedName(kImmutableObject));
  out[0] = kovo::fromLogical(reinterpret_cast<Comparison>(b.target)(object, other));
  fixOutputCount(nlhs);
}

void invokeMetaType(Binding const&, kovo::COSClient*, int& nlhs, COSValue* out, int nrhs, COSValue const* in) {
  ImmutableObject const object = self(nrhs, in);
  ImmutableType const type = object.getMetaType();
  out[0] = returnObject(type, true, "Ozo.ImmutableType");
  fixOutputCount(nlhs);
}

// A new untitled model bound to the host object under construction.
void invokeModelConstructor(Binding const&, kovo::COSClient*, int& nlhs, COSValue* out, int, COSValue const*) {
  Model const model = Model::create();
  ReferenceCountingIntf* const object = model.get();
  void* const id = DeviantRegistry::getId(object, model.deviant(), false);
  kovo::factory::basic::BindingRegistry::announceForConstructor(id, internedName("Ozo.Model"),
                                                                kovo::toArray(out[0]), true);
  object->addRef();  // the binding's reference
  fixOutputCount(nlhs);
}

// setReadOnly(flag): switches the model's protection; only its modifiable
// view may, and only this switch is open while the model is read-only.
void invokeSetReadOnly(Binding const&, kovo::COSClient*, int& nlhs, COSValue*, int nrhs, COSValue const* in) {
  bool immutable = false;
  ImmutableObject const object = self(nrhs, in, &immutable);
  NSInterface::ModelIntf* const model = as<NSInterface::ModelIntf>(object);
  if (immutable) OzoxbProperty::throwSetProhibitedException();
  model->setReadOnly(kovo::toLogical(input(nrhs, in, 1)));
  fixOutputCount(nlhs);
}

// ---------------------------------------------------------------------------
// Read-only properties that show what a runtime object is.
using Getter = COSValue (*)(ImmutableObject const&);

COSValue modelName(ImmutableObject const& o) { return text(as<NSInterface::ModelIntf>(o)->name()); }
COSValue modelReadOnly(ImmutableObject const& o) {
  return kovo::fromLogical(as<NSInterface::ModelIntf>(o)->isReadOnly());
}
COSValue typeName(ImmutableObject const& o) { return text(as<NSInterface::TypeIntf>(o)->name()); }
COSValue typeQualifiedName(ImmutableObject const& o) {
  return text(as<NSInterface::TypeIntf>(o)->qualifiedName());
}
COSValue packageName(ImmutableObject const& o) { return text(as<NSInterface::PackageIntf>(o)->name()); }
COSValue packageQualifiedName(ImmutableObject const& o) {
  return text(as<NSInterface::PackageIntf>(o)->qualifiedName());
}
COSValue propertyName(ImmutableObject const& o) { return text(as<NSInterface::PropertyIntf>(o)->def().name); }
COSValue propertyClass(ImmutableObject const& o) {
  NSInterface::ClassIntf const* owner = as<NSInterface::PropertyIntf>(o)->owner();
  return text(owner != nullptr ? owner->name() : std::string());
}
// 0 zero-or-one, 1 exactly one, 2 many.
COSValue propertyMultiplicity(ImmutableObject const& o) {
  return kovo::fromInt32(static_cast<std::int32_t>(as<NSInterface::PropertyIntf>(o)->def().multiplicity));
}

class InfoProperty final : public kovo::COSPropInfo {
 public:
  InfoProperty(char const* name, char const* type, Getter get) : kovo::COSPropInfo(name, type, 0), fGet(get) {}

  Facts facts() const override {
    Facts f;
    f.multiplicity = 1;
    f.readOnly = true;
    return f;
  }

  COSValue getValue(kovo::COSInterface* target) override {
    ImmutableObject const object = toHandle(target, internedName(kImmutableObject));
    object.checked();
    return fGet(object);
  }

  void setValue(kovo::COSInterface*, COSValue) override {
    OZO_FAIL_AT(kPackageHeader, 61, "You cannot set a read-only property");
  }

 private:
  Getter fGet;
};

// ---------------------------------------------------------------------------
// The table.
struct MethodRow {
  char const* name;  // null: the class's constructor
  std::int32_t attributes;
  char const* argumentNames;
  char const* result;
  char const* self;  // null: no self argument
  std::vector<char const*> argumentTypes;
  InvokerFn invoker;
  GenericFn target = nullptr;
};

struct PropertyRow {
  char const* name;
  char const* type;
  Getter get;
};

struct ClassRow {
  char const* shortName;
  std::vector<char const*> superclasses;
  std::vector<MethodRow> methods;
  std::vector<PropertyRow> properties;
};

constexpr std::int32_t kInstance = kovo::factory::kAttrInstanceOnly;

std::vector<ClassRow> const& ozoClasses() {
  static std::vector<ClassRow> const rows{
      {"ImmutableObject",
       {},
       {
           {"toString", kInstance, "", "char vector", kImmutableObject, {}, invokeToString},
           {"eq", kInstance, "other", "logical scalar", kImmutableObject, {kImmutableObject}, invokeCompare,
            reinterpret_cast<GenericFn>(&same)},
           {"ne", kInstance, "other", "logical scalar", kImmutableObject, {kImmutableObject}, invokeCompare,
            reinterpret_cast<GenericFn>(&differ)},
           {"getMetaType", kInstance, "", "Ozo.ImmutableType", kImmutableObject, {}, invokeMetaType},
       },
       {}},
      {"Object", {kImmutableObject}, {}, {}},
      {"ImmutableModel",
       {kImmutableObject},
       {},
       {{"Name", "char vector", modelName}, {"ReadOnly", "logical scalar", modelReadOnly}}},
      {"Model",
       {"Ozo.ImmutableModel", "Ozo.Object"},
       {{nullptr, 0, "", "Ozo.Model", nullptr, {}, invokeModelConstructor},
        {"setReadOnly", kInstance, "readOnly", "void", "Ozo.Model", {"logical scalar"}, invokeSetReadOnly}},
       {}},
      {"ImmutableType", {kImmutableObject}, {}, {{"Name", "char vector", typeName}}},
      {"ImmutableClass", {"Ozo.ImmutableType"}, {}, {{"QualifiedName", "char vector", typeQualifiedName}}},
      {"ImmutableDataType", {"Ozo.ImmutableType"}, {}, {}},
      {"ImmutablePackage",
       {kImmutableObject},
       {},
       {{"Name", "char vector", packageName}, {"QualifiedName", "char vector", packageQualifiedName}}},
      {"ImmutableProperty",
       {kImmutableObject},
       {},
       {{"Name", "char vector", propertyName},
        {"Class", "char vector", propertyClass},
        {"Multiplicity", "int32 scalar", propertyMultiplicity}}},
      {"ImmutableFactoryObject", {kImmutableObject}, {}, {}},
      {"FactoryObject", {"Ozo.ImmutableFactoryObject", "Ozo.Object"}, {}, {}},
  };
  return rows;
}

void addMethod(kovo::COSClass* cls, MethodRow const& row) {
  using kovo::factory::impl::KovoConstructor;
  using kovo::factory::impl::MethodImpl;
  kovo::factory::MethodAttributes const attrs{row.attributes};
  MethodImpl* const m = row.name == nullptr ? new KovoConstructor(cls->getShortName(), attrs, "")
                                            : new MethodImpl(row.name, attrs, "");
  std::unique_ptr<MethodImpl, kovo::HostDelete> owned(m);
  kovo::factory::impl::Invoker::createSignature(*m, row.argumentNames, row.result, row.self, row.argumentTypes);
  m->binding().invoker = row.invoker;
  m->binding().target = row.target;
  cls->addMethod(owned.release());
}

class OzoClassInfo final : public ClassMetaData {
 public:
  explicit OzoClassInfo(ClassRow const& row) : ClassMetaData(row.shortName, ""), fRow(row) {}

  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    for (char const* super : fRow.superclasses) cls->addSuperclass(internedName(super), 1, 0, 1);
    kovo::factory::detail::initStringDataTypes();
    for (MethodRow const& m : fRow.methods) addMethod(cls, m);
    for (PropertyRow const& p : fRow.properties) cls->addProperty(new InfoProperty(p.name, p.type, p.get));
  }

 private:
  ClassRow const& fRow;
};

void initOzoPackage(kovo::COSPackage* pkg) {
  for (ClassRow const& row : ozoClasses()) pkg->addClass(new OzoClassInfo(row), 2);
  registerPrimitiveSequenceClasses(pkg);
}

}  // namespace

void ensureOzoPackage() {
  // Once per process; a registration that throws is tried again next time.
  static bool const registered = (kovo::factory::registerKovoPackage("Ozo", initOzoPackage), true);
  (void)registered;
}

}  // namespace Ozo::xb
