// The runtime's own host package "Ozo": objects, models, meta objects. Every
// class is a row of one table and is built by the same class description.
#include <xb/ClassInfo.hpp>
#include <xb/Marshal.hpp>
#include <xb/Methods.hpp>
#include <xb/Sequences.hpp>

#include <Ozo/Compare.hpp>
#include <Ozo/Containment.hpp>
#include <Ozo/Contents.hpp>
#include <Ozo/Document.hpp>
#include <Ozo/Validation.hpp>
#include <kovo/ObjectKeys.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Ozo::xb {

// Elements as one host array, in the view the model was asked through.
template <bool Immutable>
struct Elements {
  std::vector<ImmutableObject> items;
};
template <bool Immutable>
struct Convert<Elements<Immutable>> {
  static char const* type(Context) { return Immutable ? "Ozo.ImmutableObject vector" : "Ozo.Object vector"; }
  static kovo::COSValue out(Elements<Immutable> const& e, Context) {
    return returnObjects(e.items, Immutable, Immutable ? names::kImmutableObject : names::kObject);
  }
};

// A model's diagnostics as one host array of Ozo.ImmutableDiagnostic.
struct Diagnostics {
  std::vector<ImmutableObject> items;
};
template <>
struct Convert<Diagnostics> {
  static char const* type(Context) { return "Ozo.ImmutableDiagnostic vector"; }
  static kovo::COSValue out(Diagnostics const& d, Context) {
    return returnObjects(d.items, true, "Ozo.ImmutableDiagnostic");
  }
};

namespace {

using kovo::COSValue;

constexpr char kPackageHeader[] = "ozo_xb/OzoPackage";
constexpr char kImmutableObject[] = "Ozo.ImmutableObject";

// The object as one of the runtime's interfaces; the NULL-ref failure otherwise.
template <class Intf>
Intf* as(ImmutableObject const& o) {
  Intf* const intf = o.isValid() ? o.get()->template castTo<VisitationDomain, Intf>() : nullptr;
  return Handle<Intf>(intf, o.deviant()).checked();
}

COSValue text(std::string const& s) { return textResult(std::string_view(s)); }

// ---------------------------------------------------------------------------
// Method targets.
std::string textOf(ImmutableObject const& object) {
  object.checked();
  return object.toString();
}

// Views do not matter: both views of an object hold the same object and deviant.
bool same(ImmutableObject const& a, ImmutableObject const& b) { return a == b; }
bool differ(ImmutableObject const& a, ImmutableObject const& b) { return !(a == b); }

ImmutableType metaTypeOf(ImmutableObject const& object) { return object.getMetaType(); }

// The model the object belongs to (empty for objects outside models).
ImmutableModel modelOf(ImmutableObject const& object) { return object.checked()->getModel(object.deviant()); }

// The runtime's element behind `object`, or null for any other object.
ElementBase* elementOf(Object const& object) {
  auto* const element = dynamic_cast<NSInterface::ClassObjectIntf*>(object.checked());
  return element ? element->elementCore() : nullptr;
}

// The sequence of its owner that holds the element, in the modifiable view
// it was asked through; empty when no many-valued property owns it. With
// its position there, what a front end needs to give a moved element back.
Object owningSequenceOf(Object const& object) {
  ElementBase* const core = elementOf(object);
  NSInterface::CollectionIntf* const c = core ? owningCollection(*core) : nullptr;
  return c ? Object(c, Deviant{}) : Object();
}

// The element that owns the element, in the modifiable view, and the name of
// its property that holds it (the owner's host property of that name); empty
// when nothing owns it. For an element held by a single-valued property,
// what a front end needs to give a moved element back.
Object ownerOf(Object const& object) {
  ElementBase* const core = elementOf(object);
  NSInterface::ClassObjectIntf* const owner = core ? ownershipOf(*core).owner : nullptr;
  return owner ? Object(owner, Deviant{}) : Object();
}

std::string owningPropertyNameOf(Object const& object) {
  ElementBase* const core = elementOf(object);
  NSInterface::PropertyIntf const* const p = core ? ownershipOf(*core).property : nullptr;
  return p ? p->def().name : std::string();
}

// The element's model in the modifiable view it was asked through: what a
// front end copies into.
Model owningModelOf(Object const& object) {
  ElementBase* const core = elementOf(object);
  return core ? Model(core->modelIntf(), Deviant{}) : Model();
}

// A new untitled model.
Model newModel() { return Model::create(); }

// The number of elements the model holds.
std::int32_t modelSize(ImmutableModel const& model) {
  return static_cast<std::int32_t>(model.checkedModel()->elements().size());
}

// ---------------------------------------------------------------------------
// A model as a document: what it holds, saving and loading, copies, compare.
template <bool Immutable>
Elements<Immutable> elementsIn(std::vector<ElementBase*> const& cores) {
  Elements<Immutable> out;
  out.items.reserve(cores.size());
  for (ElementBase* e : cores) out.items.emplace_back(e->self(), Deviant{});
  return out;
}

template <bool Immutable>
Elements<Immutable> contentsIn(ImmutableModel const& model) {
  return elementsIn<Immutable>(contentsOf(model.checkedModel()));
}

template <bool Immutable>
Elements<Immutable> allContentsIn(ImmutableModel const& model) {
  return elementsIn<Immutable>(allContentsOf(model.checkedModel()));
}

// The element at a path of names, or an empty handle.
template <class H>
H findIn(ImmutableModel const& model, String const& path) {
  ElementBase* const e = findByPath(model.checkedModel(), path.text());
  return e ? H(e->self(), Deviant{}) : H();
}

std::string modelJson(ImmutableModel const& model) { return toJson(model); }

void saveTo(ImmutableModel const& model, Chars const& path) { saveModel(model, path.utf8); }

Model loadFrom(Chars const& path) { return loadModel(path.utf8); }

// The same under another Uri than the file's.
Model loadAs(Chars const& path, Chars const& uri) {
  OZO_ASSERT_AT(kPackageHeader, 91, !uri.utf8.empty(), "%s", "A model URI cannot be empty");
  return loadModel(path.utf8, uri.utf8);
}

Model modelFromJson(Chars const& text) { return fromJson(text.utf8, "<text>"); }

// The same under another Uri than the document's.
Model modelFromJsonAs(Chars const& text, Chars const& uri) {
  OZO_ASSERT_AT(kPackageHeader, 92, !uri.utf8.empty(), "%s", "A model URI cannot be empty");
  return fromJson(text.utf8, "<text>", uri.utf8);
}

// A copy of the element and what it owns, in this model.
Object copyInto(Writable<Model> const& model, ImmutableObject const& element) {
  model.handle.checkedModel();
  ElementBase* const core = elementOf(Object::fromImmutable(element));
  OZO_ASSERT_AT(kPackageHeader, 90, core != nullptr, "%s", "Only a model element can be copied");
  return copyElement(model.handle, *core);
}

Collection<String> compareOf(ImmutableModel const& left, ImmutableModel const& right) {
  std::vector<String> lines;
  for (std::string const& line : compareModels(left, right)) lines.emplace_back(std::string_view(line));
  return makeCollection(meta::ValueKind::String, lines);
}

// Switches the model's protection; only its modifiable view may, and only
// this switch is open while the model is read-only.
void setReadOnly(Writable<Model> const& model, bool readOnly) {
  model.handle.checkedModel()->setReadOnly(readOnly);
}

// ---------------------------------------------------------------------------
// Validation. A diagnostic shows its element in the view the model was
// validated through.
class DiagnosticObject final : public Counted<NSInterface::ObjectIntf> {
 public:
  DiagnosticObject(Diagnostic d, bool immutable) : fDiagnostic(std::move(d)), fImmutable(immutable) {}
  ImmutableType getMetaType(Deviant const&) const override { return {}; }
  char const* getKovoName(bool) const override { return "Ozo.ImmutableDiagnostic"; }
  std::string toString(Deviant const&) const override {
    Diagnostic const& d = fDiagnostic;
    std::string s = std::string(severityText(d.severity)) + " [" + d.rule + "] ";
    if (!d.property.empty()) s += d.property + ": ";
    return s + d.message;
  }

  Diagnostic const& diagnostic() const { return fDiagnostic; }
  bool immutable() const { return fImmutable; }

 private:
  Diagnostic fDiagnostic;
  bool fImmutable;
};

template <bool Immutable>
Diagnostics validateIn(ImmutableModel const& model) {
  Diagnostics out;
  for (Diagnostic& d : validate(model)) out.items.emplace_back(new DiagnosticObject(std::move(d), Immutable), Deviant{});
  return out;
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
DiagnosticObject const& diagnosticOf(ImmutableObject const& o) {
  auto const* const d = dynamic_cast<DiagnosticObject const*>(o.get());
  OZO_ASSERT_AT(kPackageHeader, 120, d != nullptr, "%s", kNullRefMessage);
  return *d;
}
COSValue diagnosticSeverity(ImmutableObject const& o) { return text(severityText(diagnosticOf(o).diagnostic().severity)); }
COSValue diagnosticElement(ImmutableObject const& o) {
  DiagnosticObject const& d = diagnosticOf(o);
  bool const immutable = d.immutable();
  return returnObject(d.diagnostic().element, immutable, immutable ? kImmutableObject : "Ozo.Object");
}
COSValue diagnosticProperty(ImmutableObject const& o) { return text(diagnosticOf(o).diagnostic().property); }
COSValue diagnosticRule(ImmutableObject const& o) { return text(diagnosticOf(o).diagnostic().rule); }
COSValue diagnosticMessage(ImmutableObject const& o) { return text(diagnosticOf(o).diagnostic().message); }

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
struct PropertyRow {
  char const* name;
  char const* type;
  Getter get;
};

struct ClassRow {
  char const* shortName;
  std::vector<char const*> superclasses;
  std::span<MethodRow const> methods;
  std::vector<PropertyRow> properties;
};

constexpr std::int32_t kInstance = kovo::factory::kAttrInstanceOnly;

constexpr MethodRow kObjectMethods[] = {
    instanceMethod<&textOf>("toString", kInstance),
    instanceMethod<&same>("eq", kInstance, "other"),
    instanceMethod<&differ>("ne", kInstance, "other"),
    instanceMethod<&metaTypeOf>("getMetaType", kInstance),
    instanceMethod<&modelOf>("getModel", kInstance),
};
constexpr MethodRow kModifiableObjectMethods[] = {
    instanceMethod<&owningSequenceOf>("getOwningSequence", kInstance),
    instanceMethod<&ownerOf>("getOwner", kInstance),
    instanceMethod<&owningPropertyNameOf>("getOwningPropertyName", kInstance),
    instanceMethod<&owningModelOf>("getOwningModel", kInstance),
};
constexpr MethodRow kImmutableModelMethods[] = {
    instanceMethod<&modelSize>("size", kInstance),
    instanceMethod<&contentsIn<true>>("contents", kInstance),
    instanceMethod<&allContentsIn<true>>("allContents", kInstance),
    instanceMethod<&findIn<ImmutableObject>>("find", kInstance, "path"),
    instanceMethod<&modelJson>("toJson", kInstance),
    instanceMethod<&saveTo>("save", kInstance, "path"),
    instanceMethod<&validateIn<true>>("validate", kInstance),
};
constexpr MethodRow kModelMethods[] = {
    constructor<&newModel>(),
    instanceMethod<&setReadOnly>("setReadOnly", kInstance, "readOnly"),
    instanceMethod<&modelSize>("size", kInstance),
    instanceMethod<&contentsIn<false>>("contents", kInstance),
    instanceMethod<&allContentsIn<false>>("allContents", kInstance),
    instanceMethod<&findIn<Object>>("find", kInstance, "path"),
    instanceMethod<&copyInto>("copy", kInstance, "element"),
    instanceMethod<&validateIn<false>>("validate", kInstance),
    staticMethod<&loadFrom>("load", 0, "path"),
    staticMethod<&loadAs>("load", 0, "path, uri"),
    staticMethod<&modelFromJson>("fromJson", 0, "text"),
    staticMethod<&modelFromJsonAs>("fromJson", 0, "text, uri"),
    staticMethod<&compareOf>("compare", 0, "left, right"),
};

std::vector<ClassRow> const& ozoClasses() {
  static std::vector<ClassRow> const rows{
      {"ImmutableObject", {}, kObjectMethods, {}},
      {"Object", {kImmutableObject}, kModifiableObjectMethods, {}},
      {"ImmutableModel",
       {kImmutableObject},
       kImmutableModelMethods,
       {{"Name", "char vector", modelName},
        {"ReadOnly", "logical scalar", modelReadOnly},
        {"Uri", "char vector", modelName}}},
      {"Model", {"Ozo.ImmutableModel", "Ozo.Object"}, kModelMethods, {}},
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
      {"ImmutableDiagnostic",
       {kImmutableObject},
       {},
       {{"Severity", "char vector", diagnosticSeverity},
        {"Element", kImmutableObject, diagnosticElement},
        {"Property", "char vector", diagnosticProperty},
        {"Rule", "char vector", diagnosticRule},
        {"Message", "char vector", diagnosticMessage}}},
      {"ImmutableFactoryObject", {kImmutableObject}, {}, {}},
      {"FactoryObject", {"Ozo.ImmutableFactoryObject", "Ozo.Object"}, {}, {}},
  };
  return rows;
}

class OzoClassInfo final : public ClassMetaData {
 public:
  explicit OzoClassInfo(ClassRow const& row) : ClassMetaData(row.shortName, ""), fRow(row) {}

  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    for (char const* super : fRow.superclasses) cls->addSuperclass(internedName(super), 1, 0, 1);
    kovo::factory::detail::initStringDataTypes();
    addMethods(cls, fRow.methods);
    for (PropertyRow const& p : fRow.properties) cls->addProperty(new InfoProperty(p.name, p.type, p.get));
  }

 private:
  ClassRow const& fRow;
};

// Views of one model object are bound to different ids; the object behind
// an id is its identity to the host.
void const* modelObjectOf(void const* id) {
  VariantInfo const* const info = DeviantRegistry::getVariantInfo(id);
  return info ? info->object : nullptr;
}

void initOzoPackage(kovo::COSPackage* pkg) {
  kovo::addObjectResolver(&modelObjectOf);
  for (ClassRow const& row : ozoClasses()) addToPackage(pkg, new OzoClassInfo(row));
  registerPrimitiveSequenceClasses(pkg);
}

}  // namespace

void ensureOzoPackage() {
  // Once per process; a registration that throws is tried again next time.
  static bool const registered = (kovo::factory::registerKovoPackage("Ozo", initOzoPackage), true);
  (void)registered;
  registerChangeService();
}

}  // namespace Ozo::xb
