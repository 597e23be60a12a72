// Classes, methods, properties and packages of the host object system.
//
// Native code describes a host class with a COSClassInfo that it hands to a
// package. The host builds the COSClass lazily: the first time the class is
// needed it calls initializeClass, which declares superclasses, methods
// (COSMethodInfo with one uniform invoker) and properties (COSPropInfo).
//
// Ownership: descriptions are allocated with the host allocators (their
// operator new) and freed by the host (operator delete calls zkFree).
#pragma once

#include <kovo/Core.hpp>
#include <kovo/OpenTable.hpp>
#include <kovo/HostArray.hpp>

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kovo {

class COSClass;
class COSClient;
class COSInterface;
struct BindingSlot;
class COSPackage;
class COSMethodInfo;

// Deleter for descriptions owned by the host.
struct HostDelete {
  template <class T>
  void operator()(T* p) const { delete p; }
};

// ---------------------------------------------------------------------------
// What a sequence class offers beside its host methods: reads of many items,
// searches and a take, each done in one call, for a front end that walks or
// searches a sequence. Every function gets the class data the class was
// registered with and the self word as the class's rows get it. Items come
// out as "at" hands them out (an array word carries one reference each),
// values searched for go in as "contains" takes them, and every check and
// error is the one of the row that does the same. Positions are 0-based.
struct SequenceAccess {
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  Interned (*itemType)(void const* data);   // host data type of an item
  Interned (*valueType)(void const* data);  // host data type of a value searched for
  std::size_t (*size)(void const* data, COSValue self);
  // At most `count` items from `first` into `out`; how many (fewer where the
  // sequence ends sooner). `first` at or beyond the end fails as "at" does.
  // A failure hands out nothing.
  std::size_t (*items)(void const* data, COSValue self, std::size_t first, std::size_t count, COSValue* out);
  // The position of the first item equal to `value` in [from, to), or npos.
  std::size_t (*find)(void const* data, COSValue self, COSValue value, std::size_t from, std::size_t to);
  std::size_t (*count)(void const* data, COSValue self, COSValue value);
  // Erases the item at `position` and hands it out, with the checks of
  // "erase". Null for a class without edits.
  COSValue (*take)(void const* data, COSValue self, std::size_t position);
};

// A class's access and the data its functions get; no access for classes
// that are not sequences.
struct SequenceProtocol {
  SequenceAccess const* access = nullptr;
  void const* data = nullptr;
};

// ---------------------------------------------------------------------------
// Class descriptions.
class COSClassInfo {
 public:
  static void* operator new(std::size_t size);
  static void operator delete(void* block);
  // Construction in a block the caller allocated (zkCalloc); zkFree frees it.
  static void* operator new(std::size_t, void* where) noexcept { return where; }
  static void operator delete(void*, void*) noexcept {}

  virtual ~COSClassInfo();
  virtual char const* getName() const = 0;  // short name
  virtual char const* getDescription() const { return nullptr; }
  virtual char const* getDetailedDescription() const { return getDescription(); }
  virtual int getAccess() const { return 0; }
  // Declares superclasses, methods and properties on the class being built.
  virtual void initializeClass(COSClass* cls, COSClient* client) = 0;
  virtual void* afterInitializeClass() { return nullptr; }
  // Called when the last host reference to an instance goes, or when a host
  // user destroys it explicitly. `instance` is the bound native pointer.
  virtual void destroyInstance(void* unused, void* instance);
  // The same for an instance bound by a slotted id (see BindingSlot), whose
  // slot the registry has already emptied: the id was checked when it was
  // bound and lives while bound, so it need not be looked up again.
  virtual void destroySlotted(BindingSlot* slot) { destroyInstance(nullptr, slot); }
  virtual bool updateInstance(void* instance) { return instance != nullptr; }
  virtual bool afterUpdateInstance() { return true; }
  virtual bool canThisClassContainOtherClass() const { return true; }
  virtual bool afterCanThisClassContainOtherClass() { return true; }
  // The bulk access of a sequence class; none by default.
  virtual SequenceProtocol sequenceProtocol() const { return {}; }
};

// The requester of a class initialisation or a call (the host passes itself).
class COSClient {
 public:
  virtual ~COSClient() = default;
};

namespace factory {

struct MethodAttributes {
  std::int32_t value = 0;
};
using PropertyAttributes = std::uint32_t;

// Method flag word bits.
inline constexpr std::uint32_t kFlagStatic = 0x8;       // callable without an object
inline constexpr std::uint32_t kFlagExplicit = 0x1000;  // object is an ordinary first argument
// Method attribute bits (documentation of their meaning in docs/HOST.md).
inline constexpr std::int32_t kAttrInstanceOnly = 0x2;  // listed as an instance method; hides nothing
inline constexpr std::int32_t kAttrRedefined = 0x200;

namespace impl {
struct Binding;
}
// One invoker signature for every method: outputs and inputs are value words.
using InvokerFn = void (*)(impl::Binding const& binding, COSClient* client, int& nlhs,
                           COSValue* outputs, int nrhs, COSValue const* inputs);
using GenericFn = void (*)();

namespace impl {
// What a method descriptor calls: the invoker with the target it was given.
struct Binding {
  InvokerFn invoker = nullptr;
  GenericFn target = nullptr;     // plain function target
  std::intptr_t adjustment = 0;   // the word after the target
  void const* data = nullptr;     // any other target (member pointers, tables)
};
}  // namespace impl

struct Signature {
  InternedList argNames;  // from the comma-separated list; "" is none
  Interned argNamesText;  // the list exactly as registered (blanks kept)
  Interned result;        // host data type of output 0 ("void" = none)
  Interned self;          // self type; empty for functions and static methods
  InternedList argTypes;  // host data types of the inputs after self
};

}  // namespace factory

class COSMethodInfo {
 public:
  enum class Kind { Static, Instance, Explicit, Constructor, Function };

  static void* operator new(std::size_t size);
  static void operator delete(void* block);
  // Construction in a block the caller allocated (zkCalloc); zkFree frees it.
  static void* operator new(std::size_t, void* where) noexcept { return where; }
  static void operator delete(void*, void*) noexcept {}

  COSMethodInfo(char const* name, factory::MethodAttributes attrs, char const* description);
  virtual ~COSMethodInfo();

  // Calls the invoker with the binding and these arguments.
  virtual void invoke(COSClient* client, int& nlhs, COSValue* outputs, int nrhs, COSValue const* inputs);

  char const* getName() const { return fName; }
  char const* getDescription() const { return fDescription; }
  factory::MethodAttributes attributes() const { return fAttributes; }
  std::uint32_t& flags() { return fFlags; }
  std::uint32_t flags() const { return fFlags; }
  factory::Signature& signature() { return fSignature; }
  factory::Signature const& signature() const { return fSignature; }
  factory::impl::Binding& binding() { return fBinding; }
  factory::impl::Binding const& binding() const { return fBinding; }
  virtual Kind kind() const;
  // Number of inputs the invoker receives (self included when there is one).
  std::size_t inputCount() const;

 private:
  char const* fName;         // interned
  char const* fDescription;  // interned
  factory::MethodAttributes fAttributes;
  std::uint32_t fFlags = 0;
  factory::Signature fSignature;
  factory::impl::Binding fBinding;
};

namespace factory {

class KovoMethod : public COSMethodInfo {
 public:
  KovoMethod(char const* name, MethodAttributes attrs, char const* description)
      : COSMethodInfo(name, attrs, description) {}
};

// A package-level function.
class FunctionInfo : public COSMethodInfo {
 public:
  FunctionInfo(char const* name, MethodAttributes attrs) : COSMethodInfo(name, attrs, "") {}
  Kind kind() const override { return Kind::Function; }
};

namespace impl {
class MethodImpl : public KovoMethod {
 public:
  using KovoMethod::KovoMethod;
};
// A constructor: output 0 holds the host object under construction.
class KovoConstructor : public MethodImpl {
 public:
  using MethodImpl::MethodImpl;
  Kind kind() const override { return Kind::Constructor; }
};

struct Invoker {
  // Fills the method's signature. `argNames` is a comma-separated list ("" = none),
  // `self` is null for functions and static methods.
  static void createSignature(COSMethodInfo& method, char const* argNames, char const* result,
                              char const* self, std::initializer_list<char const*> argTypes);
  static void createSignature(COSMethodInfo& method, char const* argNames, char const* result,
                              char const* self, std::vector<char const*> const& argTypes);
  static void createSignature(COSMethodInfo& method, char const* argNames, char const* result,
                              char const* self, std::span<char const* const> argTypes);
  // The same from names already interned (an empty result is "void").
  static void createSignature(COSMethodInfo& method, char const* argNames, Interned result, Interned self,
                              std::span<Interned const> argTypes);
};

// Throws a HostError when `self` (a bound pointer taken from a call's self
// object) does not belong to a live bound host object. Null passes: it is an
// empty handle, which the target itself reports.
void validateSelfPointer(void const* self);
void validateSelfPointer(void const* self, InvokerFn invoker);
}  // namespace impl
}  // namespace factory

// ---------------------------------------------------------------------------
// Property descriptors.
class COSPropInfo {
 public:
  // Extra facts a descriptor may tell about itself (for listings).
  struct Facts {
    int multiplicity = -1;  // 0, 1, 2; -1 when the descriptor has none
    bool readOnly = false;
    unsigned index = 0;      // 0 when the descriptor has none
    int metaId = -1;         // meta-property entries: the id within the declaring class
    Interned declaredBy;     // meta-property entries: the declaring model class
  };

  static void* operator new(std::size_t size);
  static void operator delete(void* block);
  // Construction in a block the caller allocated (zkCalloc); zkFree frees it.
  static void* operator new(std::size_t, void* where) noexcept { return where; }
  static void operator delete(void*, void*) noexcept {}

  COSPropInfo(char const* name, char const* dataType, factory::PropertyAttributes attrs);
  virtual ~COSPropInfo();

  char const* getName() const { return fName; }
  virtual char const* getDataType() const { return fDataType; }
  // getDataType() as an interned id; without a table lookup unless a
  // subclass answers a text of its own.
  Interned dataType() const;
  factory::PropertyAttributes attributes() const { return fAttributes; }
  virtual Facts facts() const { return {}; }
  // A static property is read through the class; its target is null.
  virtual bool isStatic() const { return false; }

  // The current value in host form. When the data type is not a scalar, the
  // word carries an array that stays the descriptor's until releaseValue.
  virtual COSValue getValue(COSInterface* target) = 0;
  // `value` has already been converted to getDataType(); an array it carries
  // is borrowed for the call.
  virtual void setValue(COSInterface* target, COSValue value) = 0;
  // Hands back a word that getValue returned. The default releases the array
  // of non-scalar data types.
  virtual void releaseValue(COSInterface* target, COSValue value);

 protected:
  void setDataType(char const* dataType);

 private:
  char const* fName;
  char const* fDataType;
  factory::PropertyAttributes fAttributes;
};

// Whether a host data type is carried in the value word itself.
bool isScalarDataType(Interned dataType);

// ---------------------------------------------------------------------------
// Property descriptors a class has resolved by name, through its lineage.
// Owned by the class; it keeps only names that were found, keyed by the
// descriptor's own interned name (stored for good), so an unknown name
// leaves nothing behind. The class fills it only once its lineage is kept:
// from then on no class in it gains a member, so an entry never goes stale.
class PropertyCache {
 public:
  COSPropInfo* find(std::string_view name) const {
    auto it = fByName.find(name);
    return it == fByName.end() ? nullptr : it->second;
  }
  void keep(COSPropInfo* prop);
  std::size_t size() const { return fByName.size(); }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string_view, COSPropInfo*, Hash, std::equal_to<>> fByName;
};

// ---------------------------------------------------------------------------
// Classes as the host builds them.
class COSClass {
 public:
  // Full name ("Package.Short"; the short name for global classes).
  Interned getName() const { return fName; }
  char const* getShortName() const;
  char const* getDescription() const;
  COSPackage* getPackage() const { return fPackage; }
  COSClassInfo* info() const { return fInfo.get(); }

  // Declarations made from initializeClass.
  virtual void addSuperclass(Interned name, int a, int b, int c);
  virtual void addMethod(COSMethodInfo* method);
  virtual void addProperty(COSPropInfo* property);

  // Runs initializeClass once; a class whose initialisation threw is left
  // uninitialised and the error passes on.
  void ensureInitialized();
  bool isInitialized() const { return fState == State::Ready; }

  // Superclasses in declaration order (resolved and initialised on demand).
  std::vector<COSClass*> const& superclasses();
  std::vector<Interned> const& superclassNames() const { return members().superNames; }
  // Inheritance distance from this class to `other` (0 = same), -1 when unrelated.
  int distanceTo(COSClass* other);
  bool conformsTo(COSClass* other) { return distanceTo(other) >= 0; }

  // Own members in registration order.
  std::vector<std::unique_ptr<COSMethodInfo, HostDelete>> const& ownMethods() const { return members().methods; }
  std::vector<std::unique_ptr<COSPropInfo, HostDelete>> const& ownProperties() const { return members().properties; }
  // The class and its ancestors, breadth first, nearest first, each once,
  // with its inheritance distance. Kept once every class in it is
  // initialised (the inheritance graph is fixed from then on); until then it
  // is computed into `scratch` on every call.
  struct Ancestor {
    COSClass* cls;
    int distance;
  };
  std::span<Ancestor const> lineage(std::vector<Ancestor>& scratch);
  // Member lookup through the class and its ancestors, nearest first.
  // Properties found are kept in the class's PropertyCache.
  COSPropInfo* findProperty(std::string_view name);
  PropertyCache const& propertyCache() const;
  std::vector<COSMethodInfo*> findMethods(std::string_view name);
  // The methods a call by name can reach (constructors excluded), nearest
  // first. Kept per name, like properties, once the lineage is kept; valid
  // until the next call on this class.
  std::span<COSMethodInfo* const> callableMethods(std::string_view name);
  // The class's own constructors in registration order, kept the same way.
  std::span<COSMethodInfo* const> constructors();
  // Every member name visible on the class (own and inherited), sorted.
  std::vector<std::string> memberNames();

  // Any class by full name: package classes (the package is populated and
  // the class initialised on demand) and global classes. Null when unknown.
  static COSClass* find(Interned fullName);
  static COSClass* find(std::string_view fullName);
  // Registers a class that belongs to no package; the host owns the info.
  static void addGlobalClass(COSClassInfo* info);

  COSClass(COSClassInfo* info, COSPackage* package);
  virtual ~COSClass();

 private:
  enum class State { Declared, Initializing, Ready };
  std::unique_ptr<COSClassInfo, HostDelete> fInfo;
  COSPackage* fPackage;
  Interned fName;
  State fState = State::Declared;
  // What initialising declares, and the lookups kept once it is done. A
  // package declares hundreds of classes and a program uses few of them, so
  // a class only gets this block when it is first initialised; a failed
  // initialisation drops it whole.
  struct Members {
    std::vector<Interned> superNames;
    std::vector<COSClass*> supers;
    std::vector<Ancestor> lineage;
    bool supersResolved = false;
    bool lineageKept = false;
    std::vector<std::unique_ptr<COSMethodInfo, HostDelete>> methods;
    std::vector<std::unique_ptr<COSPropInfo, HostDelete>> properties;
    // Made by the first lookup by name: describing a class needs none.
    struct Lookups {
      PropertyCache propertyCache;
      // Callable methods by name (keys view the methods' own names); found names only.
      std::unordered_map<std::string_view, std::vector<COSMethodInfo*>> methodCache;
      std::vector<COSMethodInfo*> methodScratch;
      std::vector<COSMethodInfo*> constructors;
      bool constructorsKept = false;
    };
    std::unique_ptr<Lookups> lookups;
  };
  Members const& members() const;  // an empty block while there is none
  Members& editMembers();          // made on first use
  Members::Lookups& editLookups();  // made on first use
  std::unique_ptr<Members> fMembers;
};

// ---------------------------------------------------------------------------
// Packages.
class COSPackageInfo {
 public:
  static void* operator new(std::size_t size);
  static void operator delete(void* block);  // zkFree
  // Construction in a block the caller allocated (zkCalloc); zkFree frees it.
  static void* operator new(std::size_t, void* where) noexcept { return where; }
  static void operator delete(void*, void*) noexcept {}
  virtual ~COSPackageInfo();
  virtual char const* getName() const = 0;  // last name component
  virtual char const* getDescription() const { return nullptr; }
  virtual char const* getDetailedDescription() const { return nullptr; }
  virtual bool attemptToLoadSubPackage(char const* name);
  virtual void throwErrorForDefinitionOfExistingName(char const* name);
  virtual bool attemptToLoadClass(char const* name);
  virtual bool attemptToLoadFunction(char const* name);
  virtual bool attemptToLoadType(char const* name);
  virtual void* getMethodSelector() const { return nullptr; }
  // Called once, when the package is first looked up, with the new package.
  virtual void populate(COSPackage* package) = 0;
  virtual bool isDestructible() const { return true; }
  virtual bool isLocked() const { return true; }
  virtual char const* getH1Line() const { return nullptr; }
  virtual char const* getHelpText() const { return nullptr; }
};

class COSPackage {
 public:
  // The package of a full name, or null. A package whose info has not been
  // populated yet is populated by this lookup.
  static COSPackage* getPackage(Interned fullName);
  // The same by a name that may be unknown: nothing is kept when it is.
  static COSPackage* find(std::string_view fullName);
  // Every package name known (populated or not), sorted.
  static std::vector<std::string> packageNames();

  Interned getName() const { return fName; }
  // Attaches a sub-package "<this>.<info name>", populated on first lookup.
  virtual void addPackageInfo(COSPackageInfo* info);
  virtual void addClass(COSClassInfo* info, int flags);
  virtual void addFunction(factory::FunctionInfo* function);

  std::vector<COSClass*> classes() const;  // registration order
  std::vector<factory::FunctionInfo*> functions() const;
  COSClass* findClass(std::string_view shortName) const;
  factory::FunctionInfo* findFunction(std::string_view name) const;

  explicit COSPackage(Interned fullName);
  virtual ~COSPackage();

 private:
  friend struct PackageAccess;
  Interned fName;
  // In registration order, stored in blocks: a class never moves, and a
  // package of hundreds of classes makes a few dozen allocations, not one
  // each. A const package still hands out its classes for use.
  mutable std::deque<COSClass> fClasses;
  // Classes by short name, keyed by its hash: lookups and the duplicate
  // check at registration stay constant time, at one word a class.
  struct ByShortName {
    static std::uintptr_t key(COSClass* cls);
    static bool isFree(COSClass* cls) { return cls == nullptr; }
  };
  OpenTable<COSClass*, ByShortName> fByShortName;
  std::vector<std::unique_ptr<factory::FunctionInfo, HostDelete>> fFunctions;
};

namespace factory {
// Creates the package `fullName` (and any missing parent) and runs `init` on it.
COSPackage* registerKovoPackage(std::string const& fullName, void (*init)(COSPackage*));
namespace detail {
// Prepares the host's string data types; harmless when repeated.
void initStringDataTypes();
}  // namespace detail
}  // namespace factory

}  // namespace kovo
