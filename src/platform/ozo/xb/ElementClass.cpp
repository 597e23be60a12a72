#include <xb/ElementClass.hpp>

#include <Ozo/Library.hpp>

#include <xb/PrimitiveDescriptors.hpp>

#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>
#include <xb/Marshal.hpp>
#include <xb/Sequences.hpp>

#include <algorithm>
#include <string>
#include <string_view>
#include <mutex>

namespace Ozo::xb {

namespace {

// The runtime's own root: elements without a model superclass of their own
// package derive from the host's object classes.
bool isRuntimeRoot(Ozo::meta::ClassDef const& def) { return std::string_view(def.packageName) == "Ozo"; }

kovo::Interned hostName(Ozo::meta::ClassDef const& def, bool immutable) {
  if (isRuntimeRoot(def)) return kovo::intern(immutable ? "Ozo.ImmutableObject" : "Ozo.Object");
  return elementHostName(def, immutable);
}

struct Registry {
  std::mutex mutex;
  std::vector<ElementClassData const*> classes;
  std::vector<std::pair<MetaGroup, metaGroups::Place>> groups;
};

Registry& registry() {
  static auto* r = new Registry;  // lives as long as the host's classes
  return *r;
}

}  // namespace

ElementNames makeNames(Ozo::meta::ClassDef const& def) {
  std::string_view const package = def.packageName;
  ElementNames n{};
  n.immutableFull = elementHostName(def, true);
  n.modifiableFull = elementHostName(def, false);
  n.metaFull = kovo::intern({package, ".", def.name, "MetaProperty"});
  if (def.superclass != nullptr) {
    n.immutableSuper = hostName(*def.superclass, true);
    n.modifiableSuper = hostName(*def.superclass, false);
  }
  n.immutableShort = n.immutableFull.c_str() + package.size() + 1;
  n.modifiableShort = n.modifiableFull.c_str() + package.size() + 1;
  return n;
}

void rememberElementClass(ElementClassData const& data) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  if (std::find(r.classes.begin(), r.classes.end(), &data) == r.classes.end()) r.classes.push_back(&data);
}

std::vector<ElementClassData const*> registeredElementClasses() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  return r.classes;
}

// ---------------------------------------------------------------------------
void metaGroups::add(MetaGroup const& group, Place place) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  for (auto const& [g, p] : r.groups)
    if (g.methods->def == group.methods->def) return;
  r.groups.emplace_back(group, place);
}

std::vector<MetaGroup> metaGroups::of(Ozo::meta::ClassDef const& def) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  auto const find = [&r](Ozo::meta::ClassDef const* d) -> std::pair<MetaGroup, Place> const* {
    for (auto const& entry : r.groups)
      if (entry.first.methods->def == d) return &entry;
    return nullptr;
  };
  std::vector<MetaGroup> inChain, last;
  for (Ozo::meta::ClassDef const* d = &def; d != nullptr; d = d->superclass) {
    if (d->propertyCount == 0) continue;
    auto const* entry = find(d);
    OZO_ASSERT_AT("ozo_xb/OzoxbPropertyFactory", 60, entry != nullptr,
                  "no meta-property creator for class %s.%s", d->packageName, d->name);
    bool const deferred = d != &def && entry->second == Place::Last;
    (deferred ? last : inChain).push_back(entry->first);
  }
  inChain.insert(inChain.end(), last.begin(), last.end());
  return inChain;
}

void addMetaPropertyEntries(kovo::COSClass* cls, char const* className, std::vector<MetaGroup> const& groups) {
  kovo::factory::detail::initStringDataTypes();
  OzoxbPropertyFactory factory(cls, className, groups.empty() ? nullptr : groups.front().methods);
  // A property of a nearer class hides the ancestor property it shares a
  // name with or redefines: that ancestor entry is not listed.
  std::vector<std::string_view> hidden;
  auto const isHidden = [&hidden](char const* name) {
    return std::find(hidden.begin(), hidden.end(), std::string_view(name)) != hidden.end();
  };
  for (MetaGroup const& g : groups) {
    Ozo::PropertyTableEntry const* table = g.methods->table();
    for (unsigned id = 1; id <= g.methods->count(); ++id) {
      Ozo::meta::PropertyDef const& d = table[id - 1].property->def();
      if (!isHidden(d.name)) factory.addMetaProperty(d.name, g.creator, id, g.methods->def->name);
    }
    for (unsigned id = 1; id <= g.methods->count(); ++id) {
      Ozo::meta::PropertyDef const& d = table[id - 1].property->def();
      hidden.emplace_back(d.name);
      if (d.redefines) hidden.emplace_back(d.redefines);
    }
  }
}

Ozo::ImmutableType immutableMetaType(Ozo::ImmutableObject const& self) { return self.getMetaType(); }
Ozo::ImmutableType modifiableMetaType(Ozo::Object const& self) { return self.getMetaType(); }

namespace {
ElementClassData const& classOf(Context ctx) { return *static_cast<ElementClassData const*>(ctx.classData); }
}  // namespace

// The object of a "MetaProperty" call goes to the host under the meta-property
// class of the class being described.
template <>
struct Convert<MetaPropertyObjectBase*> {
  static kovo::Interned name(Context ctx) { return classOf(ctx).names->metaFull; }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  static kovo::COSValue out(MetaPropertyObjectBase* object, Context ctx) {
    return kovo::fromArray(kovo::factory::basic::BindingRegistry::announce(object, classOf(ctx).names->metaFull));
  }
};

namespace {

// The targets of the rows every element class shares; the class is the
// call's class data.
ImmutableClass metaClassTarget(Context ctx) { return classOf(ctx).methods->metaClass(); }
MetaPropertyObjectBase* metaPropertyTarget(Context ctx) { return classOf(ctx).newMetaProperty(); }
ImmutableObject castImmutableTarget(Context ctx, ImmutableObject const& other) {
  return classOf(ctx).castImmutable(other);
}
ImmutableObject castModifiableToImmutableTarget(Context ctx, Object const& other) {
  return classOf(ctx).castModifiableToImmutable(other);
}
Object castModifiableTarget(Context ctx, Object const& other) { return classOf(ctx).castModifiable(other); }

// One copy of each row for every element class.
constexpr std::int32_t kInstanceOnly = kovo::factory::kAttrInstanceOnly;
constexpr std::int32_t kRedefined = kovo::factory::kAttrRedefined;
constexpr MethodRow kMetaTypeImmutable = instanceMethod<&immutableMetaType>("getMetaType", kInstanceOnly);
constexpr MethodRow kMetaTypeModifiable = instanceMethod<&modifiableMetaType>("getMetaType", kInstanceOnly);
constexpr MethodRow kImmutableMeta[] = {
    sharedStaticMethod<&metaClassTarget>("MetaClass"),
    sharedStaticMethod<&metaPropertyTarget>("MetaProperty"),
};
constexpr MethodRow kModifiableMeta[] = {
    sharedStaticMethod<&metaClassTarget>("MetaClass", kRedefined),
    sharedStaticMethod<&metaPropertyTarget>("MetaProperty", kRedefined),
};
constexpr MethodRow kImmutableCasts[] = {
    sharedStaticMethod<&castImmutableTarget>("cast", 0, "other"),
    sharedStaticMethod<&castModifiableToImmutableTarget>("cast", 0, "other"),
};
constexpr MethodRow kModifiableCasts[] = {
    sharedStaticMethod<&castModifiableTarget>("cast", 0, "other"),
};
}  // namespace

// ---------------------------------------------------------------------------
ImmutableElementClassInfo::ImmutableElementClassInfo(ElementClassData const& data)
    : ClassMetaData(FullName{data.names->immutableFull}, kovo::Interned()), fData(data) {}

void ImmutableElementClassInfo::initializeClass(kovo::COSClass* cls, kovo::COSClient* client) {
  ElementNames const& n = *fData.names;
  cls->addSuperclass(n.immutableSuper, 1, 0, 1);
  kovo::factory::detail::initStringDataTypes();
  addMethods(cls, kImmutableMeta, &fData);
  addMethods(cls, fData.immutableMethods);
  addMethods(cls, {&kMetaTypeImmutable, 1});
  registerProperties(cls, fData);
  KovoExtensionsRegistry::instance().executeNonConstCallbacks(n.modifiableFull.c_str(), cls, client);
  addMethods(cls, kImmutableCasts, &fData);
}

ModifiableElementClassInfo::ModifiableElementClassInfo(ElementClassData const& data)
    : ClassMetaData(FullName{data.names->modifiableFull}, kovo::Interned()), fData(data) {}

void ModifiableElementClassInfo::initializeClass(kovo::COSClass* cls, kovo::COSClient*) {
  ElementNames const& n = *fData.names;
  cls->addSuperclass(n.immutableFull, 1, 0, 1);
  cls->addSuperclass(n.modifiableSuper, 1, 0, 1);
  kovo::factory::detail::initStringDataTypes();
  addMethods(cls, fData.constructors);
  addMethods(cls, kModifiableMeta, &fData);
  addMethods(cls, fData.modifiableMethods);
  addMethods(cls, {&kMetaTypeModifiable, 1});
  addMethods(cls, kModifiableCasts, &fData);
}

// ---------------------------------------------------------------------------
namespace kinds {
void registerClassObject(OzoxbPropertyFactory& f, PropertyRow const& r) {
  f.ClassObject(r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
}
void registerPrimitiveSequence(OzoxbPropertyFactory& f, PropertyRow const& r) {
  f.PrimitiveSequence(r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
}
void registerString(OzoxbPropertyFactory& f, PropertyRow const& r) {
  f.String<Ozo::String>(r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
}
}  // namespace kinds

namespace {

std::string_view shortOf(std::string_view qualified) { return qualified.substr(qualified.rfind('.') + 1); }
std::string_view packageOf(std::string_view qualified) { return qualified.substr(0, qualified.rfind('.')); }

using Ozo::meta::ValueKind;

// Host data types of single primitives: required, then optional.
char const* primitiveType(ValueKind k, bool optional) {
  switch (k) {
    case ValueKind::Integer: return optional ? "ozoint32" : "int32 scalar";
    case ValueKind::Real: return optional ? "ozodouble" : "double scalar";
    default: return optional ? "ozological" : "logical scalar";
  }
}

char const* primitiveSequenceType(ValueKind k) {
  switch (k) {
    case ValueKind::Integer: return "Ozo.ImmutableSequenceOfInteger";
    case ValueKind::Real: return "Ozo.ImmutableSequenceOfReal";
    case ValueKind::Boolean: return "Ozo.ImmutableSequenceOfBoolean";
    default: return "Ozo.ImmutableSequenceOfString";
  }
}

}  // namespace

PropertyRow deriveRow(Ozo::meta::PropertyDef const& d, ShownProperty const& shown, RowKinds const& kinds) {
  using Ozo::meta::Derivation;
  bool const many = d.multiplicity == Ozo::meta::Multiplicity::Many;
  bool const optional = d.multiplicity == Ozo::meta::Multiplicity::ZeroOne;
  // The owner end of an ownership pair is derived yet writable.
  bool const readOnly = d.readOnly || (d.derived != Derivation::None && d.derived != Derivation::Container);
  PropertyRow r{shown.index,
                shown.name ? shown.name : d.name,
                nullptr,
                static_cast<Multiplicity>(d.multiplicity),
                readOnly ? Mutability::ReadOnly : Mutability::Settable,
                nullptr,
                shown.attributes};
  switch (d.kind) {
    case ValueKind::Element: {
      std::string_view const type = d.typeName;
      r.kind = kinds::ClassObject;
      r.hostType = kovo::intern({packageOf(type), many ? ".ImmutableSequenceOfImmutable" : ".Immutable", shortOf(type)})
                       .c_str();
      break;
    }
    case ValueKind::Value:
      r.kind = kinds.valueType ? kinds.valueType(d.typeName) : nullptr;
      r.hostType = d.typeName;
      break;
    case ValueKind::String:
      r.kind = many ? kinds::PrimitiveSequence : kinds::Text;
      r.hostType = many ? primitiveSequenceType(d.kind) : "char";
      break;
    case ValueKind::Integer:
    case ValueKind::Real:
    case ValueKind::Boolean:
      r.kind = many ? kinds::PrimitiveSequence : kinds.primitive;
      r.hostType = many ? primitiveSequenceType(d.kind) : primitiveType(d.kind, optional);
      break;
  }
  OZO_ASSERT_AT("ozo_xb/marshal/OzoxbPropertyFactory", 52, r.kind != nullptr, "no property kind for %s", d.name);
  return r;
}

void registerHostNames(ElementClassData const& data) {
  for (ShownProperty const& s : data.shown)
    if (s.name) registerHostName(data.def->properties[s.index - 1], s.name);
}

PropertyRow shownRow(ElementClassData const& data, ShownProperty const& shown) {
  Ozo::meta::ClassDef const& def = *data.def;
  OZO_ASSERT_AT("ozo_xb/OzoxbPropertyFactory", 75, shown.index >= 1 && shown.index <= def.propertyCount,
                "%s.%s has no property %u", def.packageName, def.name, shown.index);
  return deriveRow(def.properties[shown.index - 1], shown, *data.rowKinds);
}

void registerProperties(kovo::COSClass* cls, ElementClassData const& data) {
  OzoxbPropertyFactory factory(cls, data.names->immutableFull.c_str(), data.methods);
  for (ShownProperty const& s : data.shown) {
    PropertyRow const r = shownRow(data, s);
    r.kind(factory, r);
  }
}

void registerElementSequences(kovo::COSPackage* pkg, ElementClassData const& data) {
  ElementNames const& names = *data.names;
  addElementCollections(pkg, data.def->packageName, names.modifiableShort, names.immutableShort,
                        names.modifiableSuper.view());
}

}  // namespace Ozo::xb
