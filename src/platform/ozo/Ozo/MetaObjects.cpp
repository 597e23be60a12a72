// Meta classes, properties, packages and data types. All immortal: made on
// first use and kept for the life of the process.
#include <Ozo/Internal.hpp>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <unordered_map>

namespace Ozo {

namespace detail {

namespace {

// Meta classes of the runtime's own objects.
constexpr meta::ClassDef kRuntimeClasses[] = {
    {"Class", "Ozo", nullptr, nullptr, 0, true},   {"Property", "Ozo", nullptr, nullptr, 0, true},
    {"Package", "Ozo", nullptr, nullptr, 0, true}, {"DataType", "Ozo", nullptr, nullptr, 0, true},
    {"Model", "Ozo", nullptr, nullptr, 0, true},
};

class DataTypeImpl final : public Immortal<NSInterface::DataTypeIntf> {
 public:
  explicit DataTypeImpl(char const* name)
      : fName(name), fQualified(std::string("Ozo.") + name) {}
  std::string name() const override { return fName; }
  std::string qualifiedName() const override { return fQualified; }
  ImmutableType getMetaType(Deviant const&) const override { return runtimeType("DataType"); }
  char const* getKovoName(bool) const override { return "Ozo.ImmutableDataType"; }
  std::string toString(Deviant const&) const override { return fQualified; }

 private:
  std::string fName, fQualified;
};

class PackageImpl final : public Immortal<NSInterface::PackageIntf> {
 public:
  explicit PackageImpl(std::string qualified)
      : fQualified(std::move(qualified)) {}
  std::string name() const override {
    auto const dot = fQualified.rfind('.');
    return dot == std::string::npos ? fQualified : fQualified.substr(dot + 1);
  }
  std::string qualifiedName() const override { return fQualified; }
  std::vector<NSInterface::ClassIntf*> classes() const override { return fClasses; }
  ImmutableType getMetaType(Deviant const&) const override { return runtimeType("Package"); }
  char const* getKovoName(bool) const override { return "Ozo.ImmutablePackage"; }
  std::string toString(Deviant const&) const override { return fQualified; }
  void add(NSInterface::ClassIntf* c) { fClasses.push_back(c); }

 private:
  std::string fQualified;
  std::vector<NSInterface::ClassIntf*> fClasses;
};

// Never destroyed (see Registry.cpp): meta objects outlive every model.
struct MetaTables {
  std::unordered_map<meta::ClassDef const*, ClassImpl*> classes;
  std::map<std::string, PackageImpl*, std::less<>> packages;
  std::map<std::string, DataTypeImpl*, std::less<>> dataTypes;
};

MetaTables& tables() {
  static auto* t = new MetaTables;
  return *t;
}

PackageImpl* packageNamed(std::string_view qualified) {
  auto& packages = tables().packages;
  auto it = packages.find(qualified);
  if (it == packages.end()) it = packages.emplace(std::string(qualified), new PackageImpl(std::string(qualified))).first;
  return it->second;
}

// "Zorvan.metamodel.types.Axis" -> "Zorvan.metamodel.types.ImmutableSequenceOfImmutableAxis" / "...SequenceOfAxis".
std::pair<kovo::Interned, kovo::Interned> sequenceNames(meta::PropertyDef const& p) {
  using meta::ValueKind;
  std::string_view type;
  switch (p.kind) {
    case ValueKind::Integer:
      type = "Ozo.Integer";
      break;
    case ValueKind::Real:
      type = "Ozo.Real";
      break;
    case ValueKind::Boolean:
      type = "Ozo.Boolean";
      break;
    case ValueKind::String:
      type = "Ozo.String";
      break;
    case ValueKind::Element:
    case ValueKind::Value:
      type = p.typeName ? p.typeName : "Ozo.ClassObject";
      break;
  }
  auto const dot = type.rfind('.');
  std::string_view const pkg = type.substr(0, dot + 1), name = type.substr(dot + 1);
  std::string_view const immutable =
      p.kind == ValueKind::Element ? "ImmutableSequenceOfImmutable" : "ImmutableSequenceOf";
  return {kovo::intern({pkg, immutable, name}), kovo::intern({pkg, "SequenceOf", name})};
}

}  // namespace

// ---------------------------------------------------------------------------
PropertyImpl::PropertyImpl(meta::PropertyDef const& def, unsigned id, ClassImpl const* owner, unsigned slot)
    : fDef(def),
      fId(id),
      fOwner(owner),
      fSlot(slot),
      fQualified(kovo::intern({owner->def().name, ".", def.name})) {
  std::tie(fImmutableSequence, fSequence) = sequenceNames(def);
}

NSInterface::ClassIntf const* PropertyImpl::owner() const { return fOwner; }

meta::ClassDef const& PropertyImpl::declaring() const { return fOwner->def(); }

ImmutableType PropertyImpl::getMetaType(Deviant const&) const { return runtimeType("Property"); }

std::string PropertyImpl::expected() const {
  switch (fDef.kind) {
    case meta::ValueKind::Integer:
      return "an Integer";
    case meta::ValueKind::Real:
      return "a Real";
    case meta::ValueKind::Boolean:
      return "a Boolean";
    case meta::ValueKind::String:
      return "a String";
    case meta::ValueKind::Element:
    case meta::ValueKind::Value:
      break;
  }
  return std::string("a ") + (fDef.typeName ? fDef.typeName : "model element");
}

namespace {

// A property that stands for an ancestor's (by name, or naming it in
// `redefines`) with the same kind, multiplicity, type and derivation is that
// property stated again: it keeps its value where the ancestor's does, so
// both statements read and write one value. One that narrows the type is a
// property of its own.
bool restates(meta::PropertyDef const& d, char const* standsFor, meta::PropertyDef const& a) {
  auto const sameText = [](char const* x, char const* y) { return x == y || (x && y && std::strcmp(x, y) == 0); };
  return std::strcmp(a.name, standsFor) == 0 && a.kind == d.kind && a.multiplicity == d.multiplicity &&
         sameText(a.typeName, d.typeName) && a.composite == d.composite && a.readOnly == d.readOnly &&
         a.derived == d.derived && a.rule == d.rule;
}

}  // namespace

// ---------------------------------------------------------------------------
ClassImpl::ClassImpl(meta::ClassDef const& def, ClassImpl const* super)
    : fDef(def),
      fSuper(super),
      fQualified(kovo::intern({def.packageName, ".", def.name})),
      fImmutableName(kovo::intern({def.packageName, ".Immutable", def.name})),
      fModifiableName(fQualified),
      fSlotCount((super ? super->fSlotCount : 0) + def.propertyCount) {
  if (super) fAll = super->fAll;
  unsigned const first = super ? super->fSlotCount : 0;
  for (unsigned i = 0; i < def.propertyCount; ++i) {
    meta::PropertyDef const& d = def.properties[i];
    char const* const standsFor = d.redefines ? d.redefines : d.name;
    unsigned slot = first + i;
    for (unsigned k = 0; k < first; ++k)
      if (fAll[k]->slot() == k && restates(d, standsFor, fAll[k]->def())) {
        slot = k;
        break;
      }
    auto* p = new PropertyImpl(d, i + 1, this, slot);
    fOwn.push_back(p);
    fTable.push_back(PropertyTableEntry{p});
    fAll.push_back(p);
  }
  // The last statement of a slot is its most specific one.
  std::vector<PropertyImpl const*> last(fSlotCount, nullptr);
  for (PropertyImpl const* p : fAll) last[p->slot()] = p;
  for (unsigned k = 0; k < fSlotCount; ++k)
    if (PropertyImpl const* p = last[k]; p && fAll[k]->slot() == k && !p->isDerived() && !p->isOwnerLink())
      fStored.push_back(p);
  for (PropertyImpl const* p : fAll) fByName.emplace_back(p->def().name, p);
  // Stable: among statements of one name the later (more specific) one stays last.
  std::stable_sort(fByName.begin(), fByName.end(),
                   [](auto const& a, auto const& b) { return a.first < b.first; });
}

PropertyImpl const* ClassImpl::propertyNamed(std::string_view name) const {
  auto it = std::upper_bound(fByName.begin(), fByName.end(), name,
                             [](std::string_view n, auto const& e) { return n < e.first; });
  if (it == fByName.begin() || std::prev(it)->first != name) return nullptr;
  return std::prev(it)->second;
}

bool ClassImpl::conformsTo(NSInterface::ClassIntf const* other) const {
  for (ClassImpl const* c = this; c; c = c->fSuper)
    if (c == other) return true;
  return false;
}

bool ClassImpl::derivesFrom(meta::ClassDef const& def) const {
  for (ClassImpl const* c = this; c; c = c->fSuper)
    if (&c->fDef == &def) return true;
  return false;
}

bool ClassImpl::conformsToName(std::string_view qualifiedName) const {
  for (ClassImpl const* c = this; c; c = c->fSuper)
    if (c->fQualified.view() == qualifiedName) return true;
  return false;
}

ImmutableType ClassImpl::getMetaType(Deviant const&) const { return runtimeType("Class"); }

ClassImpl const& classImpl(meta::ClassDef const& def) { return *static_cast<ClassImpl*>(metaClassOf(def)); }

ImmutableType runtimeType(char const* name) {
  for (meta::ClassDef const& def : kRuntimeClasses)
    if (std::strcmp(def.name, name) == 0) return makeMetaClass(def);
  return {};
}

ImmutableType dataType(char const* name) {
  auto& types = tables().dataTypes;
  auto it = types.find(std::string_view(name));
  if (it == types.end()) it = types.emplace(name, new DataTypeImpl(name)).first;
  return ImmutableType(it->second, Deviant{});
}

}  // namespace detail

// ---------------------------------------------------------------------------
NSInterface::ClassIntf* metaClassOf(meta::ClassDef const& def) {
  auto& classes = detail::tables().classes;
  if (auto const it = classes.find(&def); it != classes.end()) return it->second;
  detail::ClassImpl const* const super =
      def.superclass ? static_cast<detail::ClassImpl*>(metaClassOf(*def.superclass)) : nullptr;
  auto owned = std::make_unique<detail::ClassImpl>(def, super);
  detail::PackageImpl* const package = detail::packageNamed(def.packageName);
  classes.emplace(&def, owned.get());
  package->add(owned.get());
  return owned.release();
}

ImmutableClass makeMetaClass(meta::ClassDef const& def) { return ImmutableClass(metaClassOf(def), Deviant{}); }

ImmutablePackage metaPackage(std::string const& qualifiedName) {
  return ImmutablePackage(detail::packageNamed(qualifiedName), Deviant{});
}

ImmutableDataType primitiveDataType(std::string const& name) {
  for (char const* n : {"Integer", "Real", "Boolean", "String"})
    if (name == n) {
      ImmutableType const t = detail::dataType(n);
      return ImmutableDataType(t.get(), t.deviant());
    }
  return {};
}

PropertyTableEntry const* IntrospectiveMethods::table() const { return detail::classImpl(*def).table(); }

}  // namespace Ozo
