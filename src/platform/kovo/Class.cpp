// Classes, method and property descriptors, packages.
#include <kovo/Class.hpp>

#include "Internal.hpp"

#include <kovo/SmallBuffer.hpp>

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>
#include <new>
#include <set>
#include <unordered_set>

namespace kovo {

namespace {

struct PackageEntry {
  std::unique_ptr<COSPackage> package;
  // A description waiting to populate the package on first lookup.
  std::unique_ptr<COSPackageInfo, HostDelete> info;
  bool hadInfo = false;
};

struct Registry {
  std::map<std::string, PackageEntry, std::less<>> packages;
  std::vector<std::unique_ptr<COSClass>> globals;
  // Classes already found by full name (classes are never removed), one
  // word a class. Keyed by the hash of the full name: full names share long
  // prefixes, which an ordered map compares again and again.
  struct ByName {
    static std::uintptr_t key(COSClass* cls) { return detail::hashName(cls->getName().view()); }
    static bool isFree(COSClass* cls) { return cls == nullptr; }
  };
  OpenTable<COSClass*, ByName> classCache;
  // Packages found populated, with their ancestors, by full name (keys view
  // the names in `packages`). Only attaching a description can make such a
  // lookup populate something again, so that empties it.
  std::unordered_map<std::string_view, COSPackage*> populated;
  std::uint64_t attached = 0;  // descriptions attached so far
};

// Never destroyed: descriptions belong to modules that stay loaded until the
// process ends, and their destructors must not run after those modules' own
// static state is gone.
Registry& registry() {
  static Registry* r = new Registry;
  return *r;
}

void* hostAllocate(std::size_t size) {
  void* p = zkMalloc(size);
  if (!p) throw std::bad_alloc();
  return p;
}

std::string quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

// Visits `start` and its ancestors, nearest first, each class once;
// `visit(cls, distance)` returns true to stop.
template <class Visit>
void walkClasses(COSClass* start, Visit visit) {
  std::vector<COSClass::Ancestor> scratch;
  for (COSClass::Ancestor const& a : start->lineage(scratch))
    if (visit(a.cls, a.distance)) return;
}

void populate(PackageEntry& entry) {
  if (!entry.info) return;
  // Moved out first: populate runs exactly once even if it fails or looks
  // the package up again; the description is freed afterwards.
  std::unique_ptr<COSPackageInfo, HostDelete> info = std::move(entry.info);
  info->populate(entry.package.get());
}

// The package of `fullName`, its ancestors populated first (a parent's
// population may attach it), then itself when `populateIt`.
COSPackage* findPackage(std::string_view fullName, bool populateIt) {
  if (fullName.empty()) return nullptr;
  Registry& r = registry();
  if (populateIt)
    if (auto const known = r.populated.find(fullName); known != r.populated.end()) return known->second;
  std::uint64_t const attached = r.attached;
  auto& packages = r.packages;
  for (std::size_t dot = fullName.find('.'); dot != std::string_view::npos; dot = fullName.find('.', dot + 1)) {
    auto it = packages.find(fullName.substr(0, dot));
    if (it != packages.end()) populate(it->second);
  }
  auto it = packages.find(fullName);
  if (it == packages.end()) return nullptr;
  if (!populateIt) return it->second.package.get();
  populate(it->second);
  // Kept only when no population on the way attached a description (one
  // might be an ancestor's, waiting for the next lookup).
  if (r.attached == attached) r.populated.emplace(std::string_view(it->first), it->second.package.get());
  return it->second.package.get();
}

bool validPackageName(std::string_view name) {
  if (name.empty() || name.front() == '.' || name.back() == '.') return false;
  return name.find("..") == std::string_view::npos;
}

PackageEntry& ensurePackageEntry(std::string_view fullName) {
  auto& packages = registry().packages;
  auto it = packages.find(fullName);
  if (it != packages.end()) return it->second;
  PackageEntry entry;
  entry.package = std::make_unique<COSPackage>(intern(fullName));
  return packages.emplace(std::string(fullName), std::move(entry)).first->second;
}

std::vector<Interned> splitNames(std::string_view rest) {
  std::vector<Interned> names;
  while (!rest.empty()) {
    std::size_t const comma = rest.find(',');
    std::string_view piece = rest.substr(0, comma);
    while (!piece.empty() && piece.front() == ' ') piece.remove_prefix(1);
    while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
    if (!piece.empty()) names.push_back(intern(piece));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return names;
}

// The argument names of a registered list text, split once per distinct text
// (many methods register the same names).
InternedList argumentNamesOf(Interned text) {
  if (text.empty()) return {};
  struct Split {
    std::mutex mutex;
    std::unordered_map<char const*, InternedList> byText;
  };
  static Split* const split = new Split;  // never destroyed, like the lists it points to
  std::lock_guard lock(split->mutex);
  auto it = split->byText.find(text.c_str());
  if (it == split->byText.end()) {
    std::vector<Interned> const names = splitNames(text.view());
    it = split->byText.emplace(text.c_str(), internList(names.data(), names.size())).first;
  }
  return it->second;
}

}  // namespace

namespace detail {

COSClient* hostClient() {
  static COSClient* client = new COSClient;
  return client;
}

COSClass* findDeclaredClass(std::string_view fullName) {
  // The class this thread found last: a host making many objects names
  // their class again and again. Classes are never removed.
  thread_local COSClass* last = nullptr;
  if (last && last->getName().view() == fullName) return last;
  Registry& r = registry();
  if (COSClass* const* known = r.classCache.find(
          detail::hashName(fullName), [fullName](COSClass* cls) { return cls->getName().view() == fullName; }))
    return last = *known;
  COSClass* found = nullptr;
  for (auto const& cls : r.globals)
    if (cls->getName().view() == fullName) found = cls.get();
  if (!found) {
    std::size_t const dot = fullName.rfind('.');
    if (dot == std::string_view::npos) return nullptr;
    COSPackage* pkg = findPackage(fullName.substr(0, dot), true);
    if (!pkg) return nullptr;
    found = pkg->findClass(fullName.substr(dot + 1));
  }
  if (found) {
    r.classCache.insert(found);
    last = found;
  }
  return found;
}

COSClass* findDeclaredClass(Interned fullName) {
  std::atomic<void*>* const word = declaredClassWord(fullName);
  if (!word) return nullptr;
  if (void* const known = word->load(std::memory_order_acquire)) return static_cast<COSClass*>(known);
  COSClass* const found = findDeclaredClass(fullName.view());
  if (found) word->store(found, std::memory_order_release);
  return found;
}

int distanceToName(COSClass* cls, Interned name) {
  if (cls->getName() == name) return 0;
  int result = -1;
  walkClasses(cls, [&](COSClass* c, int distance) {
    if (c->getName() != name) return false;
    result = distance;
    return true;
  });
  return result;
}

DataTypes makeDataTypes() {
  return {intern("int32 scalar"), intern("double scalar"), intern("logical scalar"),
          intern("ozoint32"),     intern("ozodouble"),     intern("ozological"),
          intern("char"),         intern("char vector"),   intern("void")};
}

}  // namespace detail

// --- descriptions -----------------------------------------------------------

void* COSClassInfo::operator new(std::size_t size) { return hostAllocate(size); }
void COSClassInfo::operator delete(void* block) { zkFree(block); }
COSClassInfo::~COSClassInfo() = default;
void COSClassInfo::destroyInstance(void*, void*) {}

void* COSMethodInfo::operator new(std::size_t size) { return hostAllocate(size); }
void COSMethodInfo::operator delete(void* block) { zkFree(block); }

COSMethodInfo::COSMethodInfo(char const* name, factory::MethodAttributes attrs, char const* description)
    : fName(internal::makeInterned(name ? name : "")),
      fDescription(internal::makeInterned(description ? description : "")),
      fAttributes(attrs) {
  fSignature.result = detail::dataTypes().voidType;
}

COSMethodInfo::~COSMethodInfo() = default;

void COSMethodInfo::invoke(COSClient* client, int& nlhs, COSValue* outputs, int nrhs, COSValue const* inputs) {
  if (!fBinding.invoker) throw HostError("Method \"" + std::string(fName) + "\" has no implementation.");
  fBinding.invoker(fBinding, client, nlhs, outputs, nrhs, inputs);
}

COSMethodInfo::Kind COSMethodInfo::kind() const {
  if (fFlags & factory::kFlagExplicit) return Kind::Explicit;
  return fSignature.self.empty() ? Kind::Static : Kind::Instance;
}

std::size_t COSMethodInfo::inputCount() const {
  return (fSignature.self.empty() ? 0 : 1) + fSignature.argTypes.size();
}

namespace factory::impl {

void Invoker::createSignature(COSMethodInfo& method, char const* argNames, char const* result, char const* self,
                              std::initializer_list<char const*> argTypes) {
  createSignature(method, argNames, result, self, std::vector<char const*>(argTypes));
}

void Invoker::createSignature(COSMethodInfo& method, char const* argNames, char const* result, char const* self,
                              std::vector<char const*> const& argTypes) {
  createSignature(method, argNames, result, self, std::span<char const* const>(argTypes));
}

void Invoker::createSignature(COSMethodInfo& method, char const* argNames, char const* result, char const* self,
                              std::span<char const* const> argTypes) {
  SmallBuffer<Interned, 8> types(argTypes.size());
  for (std::size_t i = 0; i < argTypes.size(); ++i) types[i] = intern(argTypes[i]);
  createSignature(method, argNames, intern(result), intern(self), std::as_const(types).span());
}

void Invoker::createSignature(COSMethodInfo& method, char const* argNames, Interned result, Interned self,
                              std::span<Interned const> argTypes) {
  for (Interned t : argTypes)
    if (t.empty()) throw HostError("Method \"" + std::string(method.getName()) + "\" has an argument without a type.");
  Signature s;
  s.argNamesText = intern(argNames ? argNames : "");
  s.argNames = argumentNamesOf(s.argNamesText);
  s.result = result.empty() ? kovo::detail::dataTypes().voidType : result;
  s.self = self;
  s.argTypes = internList(argTypes.data(), argTypes.size());
  method.signature() = s;
}

void validateSelfPointer(void const* self) {
  if (self && !kovo::detail::isLiveBound(self)) throw HostError("Invalid or deleted object.");
}

void validateSelfPointer(void const* self, InvokerFn) { validateSelfPointer(self); }

}  // namespace factory::impl

void* COSPropInfo::operator new(std::size_t size) { return hostAllocate(size); }
void COSPropInfo::operator delete(void* block) { zkFree(block); }

COSPropInfo::COSPropInfo(char const* name, char const* dataType, factory::PropertyAttributes attrs)
    : fName(internal::makeInterned(name ? name : "")),
      fDataType(internal::makeInterned(dataType ? dataType : "")),
      fAttributes(attrs) {}

COSPropInfo::~COSPropInfo() = default;

Interned COSPropInfo::dataType() const {
  char const* const type = getDataType();
  return type == fDataType ? Interned::fromId(fDataType) : intern(type);
}

void COSPropInfo::releaseValue(COSInterface*, COSValue value) {
  if (!isScalarDataType(dataType())) destroyArray(toArray(value));
}

void COSPropInfo::setDataType(char const* dataType) { fDataType = internal::makeInterned(dataType ? dataType : ""); }

bool isScalarDataType(Interned dataType) {
  auto const& t = detail::dataTypes();
  return dataType == t.int32Scalar || dataType == t.doubleScalar || dataType == t.logicalScalar;
}

// --- classes ----------------------------------------------------------------

COSClass::COSClass(COSClassInfo* info, COSPackage* package) : fInfo(info), fPackage(package) {
  try {
    char const* shortName = info ? info->getName() : nullptr;
    if (!shortName || !*shortName) throw HostError("A class description has no name.");
    if (package) {
      // Spelled out in a buffer kept for the next class: a package registers hundreds.
      thread_local std::string fullName;
      fullName.assign(package->getName().view()).append(1, '.').append(shortName);
      fName = intern(std::string_view(fullName));
    } else {
      fName = intern(shortName);
    }
  } catch (...) {
    // The caller still owns the description when construction fails.
    (void)fInfo.release();
    throw;
  }
}

COSClass::~COSClass() = default;

COSClass::Members const& COSClass::members() const {
  static Members const none;
  return fMembers ? *fMembers : none;
}

COSClass::Members& COSClass::editMembers() {
  if (!fMembers) fMembers = std::make_unique<Members>();
  return *fMembers;
}

COSClass::Members::Lookups& COSClass::editLookups() {
  Members& m = editMembers();
  if (!m.lookups) m.lookups = std::make_unique<Members::Lookups>();
  return *m.lookups;
}

PropertyCache const& COSClass::propertyCache() const {
  static PropertyCache const none;
  return fMembers && fMembers->lookups ? fMembers->lookups->propertyCache : none;
}

char const* COSClass::getShortName() const { return fInfo->getName(); }

char const* COSClass::getDescription() const {
  char const* d = fInfo->getDescription();
  return d ? d : "";
}

void COSClass::addSuperclass(Interned name, int, int, int) {
  if (name.empty()) throw HostError("Class \"" + std::string(fName.view()) + "\" names an empty superclass.");
  Members& m = editMembers();
  m.superNames.push_back(name);
  m.supersResolved = false;
}

void COSClass::addMethod(COSMethodInfo* method) {
  std::unique_ptr<COSMethodInfo, HostDelete> owned(method);
  if (!method) throw HostError("No method description given to class \"" + std::string(fName.view()) + "\".");
  auto& methods = editMembers().methods;
  // Most classes declare a handful or dozens: start with room for several.
  if (methods.size() == methods.capacity()) methods.reserve(std::max<std::size_t>(16, 2 * methods.size()));
  methods.push_back(std::move(owned));
}

void COSClass::addProperty(COSPropInfo* property) {
  std::unique_ptr<COSPropInfo, HostDelete> owned(property);
  if (!property) throw HostError("No property description given to class \"" + std::string(fName.view()) + "\".");
  auto& properties = editMembers().properties;
  if (properties.size() == properties.capacity())
    properties.reserve(std::max<std::size_t>(8, 2 * properties.size()));
  properties.push_back(std::move(owned));
}

void COSClass::ensureInitialized() {
  if (fState != State::Declared) return;  // ready, or being built further up the stack
  fState = State::Initializing;
  try {
    fInfo->initializeClass(this, detail::hostClient());
  } catch (...) {
    // Back to a clean, uninitialised class: a later attempt starts afresh.
    fMembers.reset();
    fState = State::Declared;
    throw;
  }
  // The declarations are complete: a package's hundreds of classes keep no
  // spare room (a later declaration still grows the list as usual).
  if (fMembers) {
    fMembers->methods.shrink_to_fit();
    fMembers->properties.shrink_to_fit();
  }
  fState = State::Ready;
  fInfo->afterInitializeClass();
}

std::vector<COSClass*> const& COSClass::superclasses() {
  ensureInitialized();
  Members& m = editMembers();
  if (!m.supersResolved) {
    std::vector<COSClass*> supers;
    for (Interned name : m.superNames) {
      COSClass* super = find(name);
      if (!super) throw HostError("Unknown class " + quoted(name.view()) + ".");
      supers.push_back(super);
    }
    m.supers = std::move(supers);
    m.supersResolved = true;
  }
  return m.supers;
}

std::span<COSClass::Ancestor const> COSClass::lineage(std::vector<Ancestor>& scratch) {
  if (fMembers && fMembers->lineageKept) return fMembers->lineage;
  scratch.clear();
  scratch.push_back({this, 0});
  std::unordered_set<COSClass*> seen{this};
  for (std::size_t next = 0; next < scratch.size(); ++next) {
    Ancestor const at = scratch[next];
    for (COSClass* super : at.cls->superclasses())
      if (seen.insert(super).second) scratch.push_back({super, at.distance + 1});
  }
  if (std::all_of(scratch.begin(), scratch.end(), [](Ancestor const& a) { return a.cls->isInitialized(); })) {
    Members& m = editMembers();
    m.lineage = std::move(scratch);
    m.lineageKept = true;
    return m.lineage;
  }
  return scratch;
}

int COSClass::distanceTo(COSClass* other) {
  if (!other) return -1;
  int result = -1;
  walkClasses(this, [&](COSClass* c, int distance) {
    if (c != other) return false;
    result = distance;
    return true;
  });
  return result;
}

void PropertyCache::keep(COSPropInfo* prop) { fByName.emplace(std::string_view(prop->getName()), prop); }

COSPropInfo* COSClass::findProperty(std::string_view name) {
  if (COSPropInfo* kept = propertyCache().find(name)) return kept;
  COSPropInfo* found = nullptr;
  walkClasses(this, [&](COSClass* c, int) {
    c->ensureInitialized();
    for (auto const& p : c->ownProperties())
      if (name == p->getName()) {
        found = p.get();
        return true;
      }
    return false;
  });
  if (found && members().lineageKept) editLookups().propertyCache.keep(found);
  return found;
}

std::vector<COSMethodInfo*> COSClass::findMethods(std::string_view name) {
  std::vector<COSMethodInfo*> found;
  walkClasses(this, [&](COSClass* c, int) {
    c->ensureInitialized();
    for (auto const& m : c->ownMethods())
      if (name == m->getName()) found.push_back(m.get());
    return false;
  });
  return found;
}

std::span<COSMethodInfo* const> COSClass::callableMethods(std::string_view name) {
  ensureInitialized();
  Members::Lookups& own = editLookups();
  if (auto const it = own.methodCache.find(name); it != own.methodCache.end()) return it->second;
  own.methodScratch.clear();
  walkClasses(this, [&](COSClass* c, int) {
    c->ensureInitialized();
    for (auto const& m : c->ownMethods())
      if (m->kind() != COSMethodInfo::Kind::Constructor && name == m->getName()) own.methodScratch.push_back(m.get());
    return false;
  });
  if (own.methodScratch.empty() || !members().lineageKept) return own.methodScratch;
  std::string_view const key = own.methodScratch.front()->getName();
  return own.methodCache.emplace(key, std::move(own.methodScratch)).first->second;
}

std::span<COSMethodInfo* const> COSClass::constructors() {
  ensureInitialized();
  Members::Lookups& own = editLookups();
  if (own.constructorsKept) return own.constructors;
  own.constructors.clear();
  for (auto const& m : ownMethods())
    if (m->kind() == COSMethodInfo::Kind::Constructor) own.constructors.push_back(m.get());
  own.constructorsKept = members().lineageKept;
  return own.constructors;
}

std::vector<std::string> COSClass::memberNames() {
  std::set<std::string> names;
  walkClasses(this, [&](COSClass* c, int) {
    c->ensureInitialized();
    for (auto const& m : c->ownMethods()) names.insert(m->getName());
    for (auto const& p : c->ownProperties()) names.insert(p->getName());
    return false;
  });
  return {names.begin(), names.end()};
}

COSClass* COSClass::find(Interned fullName) {
  COSClass* cls = detail::findDeclaredClass(fullName);
  if (cls) cls->ensureInitialized();
  return cls;
}

COSClass* COSClass::find(std::string_view fullName) {
  COSClass* cls = detail::findDeclaredClass(fullName);
  if (cls) cls->ensureInitialized();
  return cls;
}

void COSClass::addGlobalClass(COSClassInfo* info) {
  std::unique_ptr<COSClassInfo, HostDelete> owned(info);
  if (!info) throw HostError("No class description given.");
  char const* name = info->getName();
  if (name && detail::findDeclaredClass(name))
    throw HostError("Class " + quoted(name) + " already exists.");
  auto& globals = registry().globals;
  globals.reserve(globals.size() + 1);
  auto cls = std::make_unique<COSClass>(owned.get(), nullptr);
  (void)owned.release();
  globals.push_back(std::move(cls));
}

// --- packages ---------------------------------------------------------------

COSPackageInfo::~COSPackageInfo() = default;
void* COSPackageInfo::operator new(std::size_t size) { return hostAllocate(size); }
void COSPackageInfo::operator delete(void* block) { zkFree(block); }
bool COSPackageInfo::attemptToLoadSubPackage(char const*) { return false; }
bool COSPackageInfo::attemptToLoadClass(char const*) { return false; }
bool COSPackageInfo::attemptToLoadFunction(char const*) { return false; }
bool COSPackageInfo::attemptToLoadType(char const*) { return false; }
void COSPackageInfo::throwErrorForDefinitionOfExistingName(char const* name) {
  throw HostError("Package " + quoted(name ? name : "") + " already exists.");
}

COSPackage::COSPackage(Interned fullName) : fName(fullName) {}
COSPackage::~COSPackage() = default;

COSPackage* COSPackage::getPackage(Interned fullName) { return findPackage(fullName.view(), true); }
COSPackage* COSPackage::find(std::string_view fullName) { return findPackage(fullName, true); }

std::vector<std::string> COSPackage::packageNames() {
  std::vector<std::string> names;
  for (auto const& [name, entry] : registry().packages) names.push_back(name);
  return names;
}

void COSPackage::addPackageInfo(COSPackageInfo* info) {
  std::unique_ptr<COSPackageInfo, HostDelete> owned(info);
  if (!info) throw HostError("No package description given to package " + quoted(fName.view()) + ".");
  char const* last = info->getName();
  std::string const name = std::string(fName.view()) + "." + (last ? last : "");
  if (!last || !validPackageName(last) || std::string_view(last).find('.') != std::string_view::npos)
    throw HostError("Invalid package name " + quoted(name) + ".");
  auto& packages = registry().packages;
  auto it = packages.find(name);
  if (it != packages.end() && it->second.hadInfo) {
    info->throwErrorForDefinitionOfExistingName(name.c_str());
    throw HostError("Package " + quoted(name) + " already exists.");
  }
  PackageEntry& entry = ensurePackageEntry(name);
  entry.info = std::move(owned);
  entry.hadInfo = true;
  ++registry().attached;
  registry().populated.clear();
}

void COSPackage::addClass(COSClassInfo* info, int) {
  std::unique_ptr<COSClassInfo, HostDelete> owned(info);
  if (!info) throw HostError("No class description given to package " + quoted(fName.view()) + ".");
  char const* shortName = info->getName();
  if (shortName && findClass(shortName))
    throw HostError("Class " + quoted(std::string(fName.view()) + "." + shortName) + " already exists.");
  // Adding at the end either succeeds or leaves the list as it was; should
  // the index then fail, the class goes again, and its info with it.
  COSClass& cls = fClasses.emplace_back(owned.get(), this);
  (void)owned.release();
  try {
    if (char const* const name = cls.getShortName(); name && *name) fByShortName.insert(&cls);
  } catch (...) {
    fClasses.pop_back();
    throw;
  }
}

void COSPackage::addFunction(factory::FunctionInfo* function) {
  std::unique_ptr<factory::FunctionInfo, HostDelete> owned(function);
  if (!function) throw HostError("No function description given to package " + quoted(fName.view()) + ".");
  fFunctions.push_back(std::move(owned));
}

std::vector<COSClass*> COSPackage::classes() const {
  std::vector<COSClass*> out;
  out.reserve(fClasses.size());
  for (COSClass& c : fClasses) out.push_back(&c);
  return out;
}

std::vector<factory::FunctionInfo*> COSPackage::functions() const {
  std::vector<factory::FunctionInfo*> out;
  out.reserve(fFunctions.size());
  for (auto const& f : fFunctions) out.push_back(f.get());
  return out;
}

std::uintptr_t COSPackage::ByShortName::key(COSClass* cls) { return detail::hashName(cls->getShortName()); }

COSClass* COSPackage::findClass(std::string_view shortName) const {
  COSClass* const* const found = fByShortName.find(
      detail::hashName(shortName), [shortName](COSClass* cls) { return shortName == cls->getShortName(); });
  return found ? *found : nullptr;
}

factory::FunctionInfo* COSPackage::findFunction(std::string_view name) const {
  for (auto const& f : fFunctions)
    if (name == f->getName()) return f.get();
  return nullptr;
}

namespace factory {

COSPackage* registerKovoPackage(std::string const& fullName, void (*init)(COSPackage*)) {
  if (!validPackageName(fullName)) throw HostError("Invalid package name " + quoted(fullName) + ".");
  // Parents first, so that "Zorvan" exists before "Zorvan.metamodel".
  for (std::size_t dot = fullName.find('.'); dot != std::string::npos; dot = fullName.find('.', dot + 1))
    ensurePackageEntry(std::string_view(fullName).substr(0, dot));
  auto& packages = registry().packages;
  if (auto it = packages.find(fullName); it != packages.end()) return it->second.package.get();
  COSPackage* pkg = ensurePackageEntry(fullName).package.get();
  if (init) init(pkg);
  return pkg;
}

namespace detail {
void initStringDataTypes() { (void)kovo::detail::dataTypes(); }
}  // namespace detail

}  // namespace factory
}  // namespace kovo
