// Module loading and the dispatcher.
#include <kovo/Runtime.hpp>

#include <kovo/SmallBuffer.hpp>

#include "Internal.hpp"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <unordered_set>

namespace kovo {

namespace {

struct LoadedModule {
  std::string name;
  void* handle;
};

struct RuntimeState {
  std::vector<std::string> directories;
  std::vector<LoadedModule> modules;
  std::vector<std::pair<std::string, std::size_t (*)()>> counters;
};

RuntimeState& state() {
  static RuntimeState* s = new RuntimeState;
  return *s;
}

std::string quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

std::string ownDirectory() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ownDirectory), &info) == 0 || !info.dli_fname) return {};
  std::string path = info.dli_fname;
  std::size_t const slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// --- fitting and converting host values -------------------------------------

// An empty array passed for an object stands for an empty handle: it fits
// every class, but any real match is preferred.
constexpr int kEmptyHandleCost = 1000;

bool isNumeric(ClassID c) { return c == ClassID::Double || c == ClassID::Int32 || c == ClassID::Logical; }

bool fitsInt32(double v) {
  return std::isfinite(v) && v == std::trunc(v) && v >= std::numeric_limits<std::int32_t>::min() &&
         v <= std::numeric_limits<std::int32_t>::max();
}

bool allElements(HostArray const* a, bool (*ok)(double)) {
  for (std::size_t i = 0, n = a->numel(); i < n; ++i)
    if (!ok(a->numberAt(i))) return false;
  return true;
}

bool notNaN(double v) { return !std::isnan(v); }

// The element class behind an array data type, or nothing.
bool arrayElementClass(Interned type, ClassID& cls) {
  auto const& t = detail::dataTypes();
  if (type == t.ozoint32) cls = ClassID::Int32;
  else if (type == t.ozodouble) cls = ClassID::Double;
  else if (type == t.ozological) cls = ClassID::Logical;
  else return false;
  return true;
}

// Cost of passing `a` as host data type `type`; -1 when it does not fit.
int fitCost(HostArray const* a, Interned type) {
  auto const& t = detail::dataTypes();
  ClassID const c = a->classID();
  bool const numeric = isNumeric(c);
  if (type == t.int32Scalar) {
    if (!numeric || a->numel() != 1) return -1;
    if (c == ClassID::Int32) return 0;
    if (c == ClassID::Double) return fitsInt32(a->doubles()[0]) ? 2 : -1;
    return 3;
  }
  if (type == t.doubleScalar) {
    if (!numeric || a->numel() != 1) return -1;
    return c == ClassID::Double ? 0 : c == ClassID::Int32 ? 2 : 3;
  }
  if (type == t.logicalScalar) {
    if (!numeric || a->numel() != 1) return -1;
    if (c == ClassID::Logical) return 0;
    return notNaN(a->numberAt(0)) ? 3 : -1;
  }
  ClassID element;
  if (arrayElementClass(type, element)) {
    if (!numeric) return -1;
    if (c == element) return 1;
    if (element == ClassID::Int32 && !allElements(a, fitsInt32)) return -1;
    if (element == ClassID::Logical && !allElements(a, notNaN)) return -1;
    return 3;
  }
  if (type == t.charType || type == t.charVector) {
    if (c == ClassID::Char) return type == t.charType || a->isEmpty() || a->rows() == 1 ? 0 : -1;
    return numeric && a->isEmpty() ? 1 : -1;
  }
  if (type == t.voidType || type.empty()) return -1;
  // A host class name. An object array of several objects fits when every
  // element does: what several values mean is the module's to decide.
  if (a->isEmpty()) return kEmptyHandleCost;
  if (c != ClassID::Object) return -1;
  int cost = 0;
  for (std::size_t i = 0, n = a->numel(); i < n; ++i) {
    COSInterface* obj = a->objects()[i].get();
    int const d = obj ? detail::distanceToName(obj->getClass(), type) : -1;
    if (d < 0) return -1;
    cost = std::max(cost, d);
  }
  return cost;
}

// The value word for `a` as `type` (which it fits). Arrays made on the way
// are kept in `temps` until the call is over.
COSValue convertFitting(HostArray* a, Interned type, std::vector<ArrayPtr>& temps) {
  auto const& t = detail::dataTypes();
  if (type == t.int32Scalar) return fromInt32(static_cast<std::int32_t>(a->numberAt(0)));
  if (type == t.doubleScalar) return fromDouble(a->numberAt(0));
  if (type == t.logicalScalar) return fromLogical(a->numberAt(0) != 0);
  ClassID element;
  if (arrayElementClass(type, element)) {
    if (a->classID() == element) return fromArray(a);  // already of the element class: no copy
    ArrayPtr copy(HostArray::create(element, a->rows(), a->cols()), false);
    for (std::size_t i = 0, n = a->numel(); i < n; ++i) {
      double const v = a->numberAt(i);
      if (element == ClassID::Int32) copy->int32s()[i] = static_cast<std::int32_t>(v);
      else if (element == ClassID::Double) copy->doubles()[i] = v;
      else copy->logicals()[i] = v != 0 ? 1 : 0;
    }
    temps.push_back(copy);
    return fromArray(copy.get());
  }
  if ((type == t.charType || type == t.charVector) && a->classID() != ClassID::Char) {
    temps.emplace_back(HostArray::createString(std::u16string_view()), false);
    return fromArray(temps.back().get());
  }
  return fromArray(a);
}

ArrayPtr emptyFor(Interned type) {
  auto const& t = detail::dataTypes();
  ClassID element;
  if (arrayElementClass(type, element)) return ArrayPtr(HostArray::create(element, 0, 0), false);
  if (type == t.charType || type == t.charVector) return ArrayPtr(HostArray::create(ClassID::Char, 0, 0), false);
  return ArrayPtr(HostArray::createEmpty(), false);
}

// An empty result of a value data type keeps that type's element class.
ArrayPtr normalized(ArrayPtr a, Interned type) {
  if (a->isEmpty() && a->classID() == ClassID::Object) {
    auto const& t = detail::dataTypes();
    ClassID element;
    if (arrayElementClass(type, element) || type == t.charType || type == t.charVector) return emptyFor(type);
  }
  return a;
}

// The host form of an output word of host data type `type`; takes over the
// reference an array word carries.
ArrayPtr fromWord(COSValue w, Interned type) {
  auto const& t = detail::dataTypes();
  if (type == t.voidType) return ArrayPtr(HostArray::createEmpty(), false);
  if (type == t.int32Scalar) return ArrayPtr(HostArray::createInt32(toInt32(w)), false);
  if (type == t.doubleScalar) return ArrayPtr(HostArray::createDouble(toDouble(w)), false);
  if (type == t.logicalScalar) return ArrayPtr(HostArray::createLogical(toLogical(w)), false);
  if (w == 0) return emptyFor(type);
  return normalized(ArrayPtr(toArray(w), false), type);
}

// What a value is, as error messages name it: "empty", the class of a single
// object, "int32" for a scalar, "char" for a line of text, and with its shape
// ("1x2 int32 array") otherwise.
std::string givenType(HostArray const* a) {
  if (a->isEmpty()) return "empty";
  if (a->classID() == ClassID::Object && a->numel() == 1 && a->objects()[0])
    return std::string(a->objects()[0]->getClass()->getName().view());
  if (a->numel() == 1 || (a->classID() == ClassID::Char && a->rows() == 1)) return std::string(a->className().view());
  return std::to_string(a->rows()) + "x" + std::to_string(a->cols()) + " " + std::string(a->className().view()) +
         " array";
}

bool isShaped(HostArray const* a) { return givenType(a).ends_with(" array"); }

void requireLive(HostArray const* a) {
  if (a->classID() != ClassID::Object) return;
  for (std::size_t i = 0, n = a->numel(); i < n; ++i)
    if (COSInterface const* o = a->objects()[i].get(); o && o->isDeleted()) throw HostError("Invalid or deleted object.");
}

// --- calls ---------------------------------------------------------------

// The arrays a call hands over, in the order the invoker receives them when
// the object (if any) goes first.
struct CallArgs {
  explicit CallArgs(std::size_t n) : args(n) {}
  HostArray* object = nullptr;  // the target of a method call on an object
  SmallBuffer<HostArray*, 8> args;
  std::vector<ArrayPtr> keep;   // empties standing in for null arguments
};

void collect(CallArgs& c, HostArray* object, std::span<ArrayPtr const> args) {
  c.object = object;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i]) {
      c.args[i] = args[i].get();
    } else {
      c.keep.emplace_back(HostArray::createEmpty(), false);
      c.args[i] = c.keep.back().get();
    }
  }
  if (object) requireLive(object);
  for (HostArray* a : c.args) requireLive(a);
}

// A method's input types: its self type (if any), then its argument types.
struct InputTypes {
  explicit InputTypes(COSMethodInfo const* m) : sig(m->signature()), hasSelf(!sig.self.empty()) {}
  std::size_t size() const { return sig.argTypes.size() + (hasSelf ? 1 : 0); }
  Interned operator[](std::size_t i) const { return hasSelf ? (i == 0 ? sig.self : sig.argTypes[i - 1]) : sig.argTypes[i]; }
  factory::Signature const& sig;
  bool hasSelf;
};

// What a method receives for this call: the object goes first except to
// static methods.
struct Inputs {
  Inputs(COSMethodInfo const* m, CallArgs const& c)
      : call(c), withObject(c.object && m->kind() != COSMethodInfo::Kind::Static) {}
  std::size_t size() const { return call.args.size() + (withObject ? 1 : 0); }
  HostArray* operator[](std::size_t i) const {
    return withObject ? (i == 0 ? call.object : call.args[i - 1]) : call.args[i];
  }
  CallArgs const& call;
  bool withObject;
};

// Each distinct signature once (a redefinition in a subclass repeats its
// superclass's), in the order of the overloads.
std::string signatureList(std::span<COSMethodInfo* const> overloads) {
  std::string out;
  std::unordered_set<std::string> seen;
  for (COSMethodInfo const* m : overloads) {
    std::string text = std::string(m->getName()) + '(';
    InputTypes const types(m);
    for (std::size_t i = 0; i < types.size(); ++i) {
      if (i) text += ", ";
      text += types[i].view();
    }
    text += ')';
    if (!seen.insert(text).second) continue;
    if (!out.empty()) out += ", ";
    out += text;
  }
  return out;
}

struct Chosen {
  COSMethodInfo* method;
  CallArgs const* call;
};

// Who offers the overloads, for messages only: "class \"X\"", "package \"P\"".
struct Owner {
  std::string_view kind, name;
  std::string text() const { return std::string(kind) + " " + quoted(name); }
};

// Picks the cheapest fitting overload (the first registered on a tie).
Chosen choose(std::span<COSMethodInfo* const> overloads, CallArgs const& call, std::string_view name,
              Owner const& owner) {
  Chosen best{nullptr, &call};
  int bestCost = 0;
  for (COSMethodInfo* m : overloads) {
    Inputs const in(m, call);
    InputTypes const types(m);
    if (in.size() != types.size()) continue;
    int cost = 0;
    // A method called on an object was found through the object's own class:
    // the object is its self, whatever view the self type names.
    std::size_t const first = call.object && m->kind() == COSMethodInfo::Kind::Instance ? 1 : 0;
    for (std::size_t i = first; i < in.size() && cost >= 0; ++i) {
      int const c = fitCost(in[i], types[i]);
      cost = c < 0 ? -1 : cost + c;
    }
    if (cost >= 0 && (!best.method || cost < bestCost)) {
      best.method = m;
      bestCost = cost;
      if (cost == 0) break;  // an exact fit: a later overload could only tie, and ties go to the first
    }
  }
  if (!best.method) {
    std::string given;
    std::vector<HostArray*> all;
    if (call.object) all.push_back(call.object);
    all.insert(all.end(), call.args.data(), call.args.data() + call.args.size());
    for (HostArray const* a : all) given += (given.empty() ? "" : ", ") + givenType(a);
    throw HostError("No signature of " + quoted(name) + " in " + owner.text() + " accepts (" + given +
                    "); candidates: " + signatureList(overloads) + ".");
  }
  return best;
}

// Converts the inputs, calls the invoker with output 0 preset to `output0`,
// and returns the output word.
COSValue invokeChosen(Chosen const& c, COSValue output0) {
  Inputs const in(c.method, *c.call);
  InputTypes const types(c.method);
  std::vector<ArrayPtr> temps;
  SmallBuffer<COSValue, 8> words(std::max<std::size_t>(in.size(), 1));
  for (std::size_t i = 0; i < in.size(); ++i) words[i] = convertFitting(in[i], types[i], temps);
  COSValue outputs[4] = {output0, 0, 0, 0};
  int nlhs = 1;
  try {
    c.method->invoke(detail::hostClient(), nlhs, outputs, static_cast<int>(in.size()), words.data());
  } catch (...) {
    // A result handed over before the failure is not leaked.
    Interned const result = c.method->signature().result;
    if (outputs[0] != output0 && outputs[0] != 0 && !isScalarDataType(result) &&
        result != detail::dataTypes().voidType)
      destroyArray(toArray(outputs[0]));
    throw;
  }
  return outputs[0];
}

ArrayPtr dispatch(std::span<COSMethodInfo* const> overloads, CallArgs const& call, std::string_view name,
                  Owner const& owner) {
  Chosen const c = choose(overloads, call, name, owner);
  return fromWord(invokeChosen(c, 0), c.method->signature().result);
}

Owner classOwner(COSClass* cls) { return {"class", cls->getName().view()}; }

COSClass* requireDeclared(Interned name) {
  COSClass* cls = COSClass::find(name);
  if (!cls) throw HostError("Unknown class " + quoted(name.view()) + ".");
  return cls;
}

// The object in a 1-by-1 object array, or null (empty handles, other values).
COSInterface* objectIn(HostArray const* a) {
  if (!a || a->classID() != ClassID::Object || a->numel() != 1) return nullptr;
  return a->objects()[0].get();
}

// The class a value is addressed through: its object's class, or for an
// (empty) object array the class it was made for. Null for other values.
COSClass* classForValue(HostArray const* a) {
  if (COSInterface* o = objectIn(a)) return o->getClass();
  if (!a || a->classID() != ClassID::Object) return nullptr;
  return requireDeclared(a->className());
}

std::string valueClassName(HostArray const* a) { return a ? std::string(a->className().view()) : "double"; }

}  // namespace

// --- modules -------------------------------------------------------------

void Runtime::addModuleDirectory(std::string const& dir) {
  if (!dir.empty()) state().directories.push_back(dir);
}

std::vector<std::string> Runtime::modulePath() {
  std::vector<std::string> path = state().directories;
  if (char const* env = std::getenv("QUILLON_MODULE_PATH")) {
    std::string_view rest(env);
    while (true) {
      std::size_t const colon = rest.find(':');
      std::string_view const entry = rest.substr(0, colon);
      if (!entry.empty()) path.emplace_back(entry);
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  if (std::string own = ownDirectory(); !own.empty()) path.push_back(std::move(own));
  return path;
}

bool Runtime::isLoaded(std::string const& name) {
  for (auto const& m : state().modules)
    if (m.name == name) return true;
  return false;
}

void Runtime::loadModule(std::string const& name) {
  if (isLoaded(name)) return;
  auto fail = [&](std::string const& reason) {
    return HostError("Cannot load module " + quoted(name) + ": " + reason);
  };
  if (name.find('\0') != std::string::npos) {
    std::string shown;
    for (char c : name) shown += c ? std::string(1, c) : std::string("\\0");
    throw HostError("Cannot load module " + quoted(shown) + ": the name contains a NUL character");
  }
  if (name.empty() || name.find('/') != std::string::npos) throw fail("invalid module name");
  std::string const file = "lib" + name + ".so";
  std::string found;
  for (std::string const& dir : modulePath()) {
    std::string const candidate = dir + "/" + file;
    if (::access(candidate.c_str(), F_OK) == 0) {
      found = candidate;
      break;
    }
  }
  if (found.empty()) throw fail(file + " not found in the module path");
  ::dlerror();
  void* handle = ::dlopen(found.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (!handle) {
    char const* why = ::dlerror();
    throw fail(why ? why : "dlopen failed");
  }
  // A library without the entry point is not a module: loading it would add
  // nothing, and a user asking for it has most likely named the wrong one.
  std::string const entry = "QnInitialize_" + name;
  void* init = ::dlsym(handle, entry.c_str());
  if (!init) {
    ::dlclose(handle);
    throw fail(file + " is not a module (it has no " + entry + ")");
  }
  reinterpret_cast<void (*)()>(init)();
  state().modules.push_back({name, handle});
}

void Runtime::terminateModules() {
  auto const& modules = state().modules;
  for (auto it = modules.rbegin(); it != modules.rend(); ++it) {
    std::string const entry = "QnTerminate_" + it->name;
    if (void* term = ::dlsym(it->handle, entry.c_str())) reinterpret_cast<void (*)()>(term)();
  }
}

// --- names -----------------------------------------------------------------

COSClass* Runtime::requireClass(std::string_view fullName) {
  COSClass* cls = COSClass::find(fullName);
  if (!cls) throw HostError("Unknown class " + quoted(fullName) + ".");
  return cls;
}

COSPackage* Runtime::requirePackage(std::string_view fullName) {
  COSPackage* pkg = COSPackage::find(fullName);
  if (!pkg) throw HostError("Unknown package " + quoted(fullName) + ".");
  return pkg;
}

// --- calls -------------------------------------------------------------------

namespace {

std::span<COSMethodInfo* const> methodsNamed(COSClass* cls, std::string_view method) {
  std::span<COSMethodInfo* const> const overloads = cls->callableMethods(method);
  if (overloads.empty())
    throw HostError("No method " + quoted(method) + " in class " + quoted(cls->getName().view()) + ".");
  return overloads;
}

}  // namespace

ArrayPtr Runtime::callStatic(COSClass* cls, std::string_view method, std::span<ArrayPtr const> args) {
  if (!cls) throw HostError("Unknown class \"\".");
  CallArgs call(args.size());
  collect(call, nullptr, args);
  return dispatch(methodsNamed(cls, method), call, method, classOwner(cls));
}

ArrayPtr Runtime::callMethod(ArrayPtr const& object, std::string_view method, std::span<ArrayPtr const> args) {
  COSClass* cls = classForValue(object.get());
  if (!cls) throw HostError("No method " + quoted(method) + " in class " + quoted(valueClassName(object.get())) + ".");
  CallArgs call(args.size());
  collect(call, object.get(), args);
  return dispatch(methodsNamed(cls, method), call, method, classOwner(cls));
}

ArrayPtr Runtime::callFunction(COSPackage* pkg, std::string_view function, std::span<ArrayPtr const> args) {
  if (!pkg) throw HostError("Unknown package \"\".");
  std::vector<COSMethodInfo*> overloads;
  for (factory::FunctionInfo* f : pkg->functions())
    if (function == f->getName()) overloads.push_back(f);
  Owner const owner{"package", pkg->getName().view()};
  if (overloads.empty()) throw HostError("No function " + quoted(function) + " in " + owner.text() + ".");
  CallArgs call(args.size());
  collect(call, nullptr, args);
  return dispatch(overloads, call, function, owner);
}

ArrayPtr Runtime::construct(COSClass* cls, std::span<ArrayPtr const> args) {
  if (!cls) throw HostError("Unknown class \"\".");
  // The constructors in registration order, kept by the class.
  std::span<COSMethodInfo* const> const constructors = cls->constructors();
  if (constructors.empty()) throw HostError("Class " + quoted(cls->getName().view()) + " has no constructor.");
  CallArgs call(args.size());
  collect(call, nullptr, args);
  Chosen const chosen = choose(constructors, call, cls->getShortName(), classOwner(cls));

  // The object under construction travels in output 0; the invoker binds it.
  // If the invoker fails, the unbound object just goes away.
  COSInterfacePtr obj(COSInterface::createUnbound(cls), false);
  ArrayPtr out(HostArray::createObject(obj.get()), false);
  invokeChosen(chosen, fromArray(out.get()));
  if (!obj->isBound())
    throw HostError("The constructor of class " + quoted(cls->getName().view()) + " did not create an object.");
  return out;
}

// --- properties ------------------------------------------------------------

namespace {

struct PropertyTarget {
  COSClass* cls;
  COSPropInfo* prop;
  COSInterface* target;      // null for static properties
  COSInterfacePtr unbound;  // owns the target made for an empty handle
};

PropertyTarget propertyOf(HostArray* object, std::string_view property) {
  if (object) requireLive(object);
  COSClass* cls = classForValue(object);
  if (!cls) throw HostError("No property " + quoted(property) + " in class " + quoted(valueClassName(object)) + ".");
  COSPropInfo* prop = cls->findProperty(property);
  if (!prop) throw HostError("No property " + quoted(property) + " in class " + quoted(cls->getName().view()) + ".");
  PropertyTarget t{cls, prop, nullptr, {}};
  if (prop->isStatic()) return t;
  // Borrowed: the caller's array holds a reference for the whole call.
  if (COSInterface* o = objectIn(object)) {
    t.target = o;
    return t;
  }
  // An empty handle reaches the descriptor as an object with nothing bound,
  // which the descriptor reports in its own words.
  t.unbound = COSInterfacePtr(COSInterface::createUnbound(cls), false);
  t.target = t.unbound.get();
  return t;
}

ArrayPtr readProperty(COSPropInfo* prop, COSInterface* target) {
  Interned const type = prop->dataType();
  COSValue const w = prop->getValue(target);
  ArrayPtr result;
  if (isScalarDataType(type) || w == 0) {
    result = fromWord(w, type);
  } else {
    result = normalized(ArrayPtr(toArray(w)), type);  // our own reference
  }
  prop->releaseValue(target, w);
  return result;
}

}  // namespace

ArrayPtr Runtime::valueOfWord(COSValue word, Interned type) { return fromWord(word, type); }

ArrayPtr Runtime::getProperty(ArrayPtr const& object, std::string_view property) {
  PropertyTarget t = propertyOf(object.get(), property);
  return readProperty(t.prop, t.target);
}

ArrayPtr Runtime::getStaticProperty(COSClass* cls, std::string_view property) {
  if (!cls) throw HostError("Unknown class \"\".");
  COSPropInfo* prop = cls->findProperty(property);
  if (!prop) throw HostError("No property " + quoted(property) + " in class " + quoted(cls->getName().view()) + ".");
  if (!prop->isStatic())
    throw HostError("Property " + quoted(property) + " of class " + quoted(cls->getName().view()) +
                    " needs an object.");
  return readProperty(prop, nullptr);
}

void Runtime::setProperty(ArrayPtr const& object, std::string_view property, ArrayPtr const& value) {
  ArrayPtr const v = value ? value : ArrayPtr(HostArray::createEmpty(), false);
  requireLive(v.get());
  PropertyTarget t = propertyOf(object.get(), property);
  Interned const type = t.prop->dataType();
  if (fitCost(v.get(), type) < 0)
    throw HostError("Cannot set property " + quoted(property) + " of class " + quoted(t.cls->getName().view()) +
                    ": expected " + std::string(type.view()) + ", got " + (isShaped(v.get()) ? "a " : "") +
                    givenType(v.get()) + ".");
  std::vector<ArrayPtr> temps;
  COSValue const w = convertFitting(v.get(), type, temps);
  t.prop->setValue(t.target, w);
}

void Runtime::destroy(ArrayPtr const& object) {
  HostArray* a = object.get();
  if (!a || a->classID() != ClassID::Object)
    throw HostError("Cannot destroy a value of class " + quoted(valueClassName(a)) + ".");
  requireLive(a);
  for (std::size_t i = 0, n = a->numel(); i < n; ++i)
    if (COSInterface* o = a->objects()[i].get()) BindingAccess::destroyNow(o);
}

COSClass* Runtime::classOf(ArrayPtr const& object) {
  COSInterface* o = objectIn(object.get());
  if (!o) throw HostError("Value of class " + quoted(valueClassName(object.get())) + " is not an object.");
  return o->getClass();
}

ArrayPtr Runtime::convert(ArrayPtr const& value, Interned type) {
  if (!value || fitCost(value.get(), type) < 0) return {};
  std::vector<ArrayPtr> temps;
  COSValue const w = convertFitting(value.get(), type, temps);
  if (isScalarDataType(type)) return fromWord(w, type);
  return temps.empty() ? value : temps.back();
}

// --- sequences in one call ---------------------------------------------------

namespace {

// The object's class and its access, with the object checked as a method
// call checks it.
struct SequenceCall {
  SequenceAccess const* access;
  void const* data;
  COSValue self;
  Interned valueType() const { return access->valueType(data); }
};

SequenceProtocol protocolOf(HostArray const* object) {
  COSClass* const cls = classForValue(object);
  if (!cls || !cls->info()) return {};
  return cls->info()->sequenceProtocol();
}

SequenceCall sequenceCall(ArrayPtr const& object) {
  HostArray* const a = object.get();
  if (a) requireLive(a);
  SequenceProtocol const p = protocolOf(a);
  if (!p.access) {
    COSClass* const cls = classForValue(a);
    throw HostError("Class " + quoted(cls ? cls->getName().view() : std::string_view(valueClassName(a))) +
                    " is not a sequence.");
  }
  return {p.access, p.data, fromArray(a)};
}

// The word of a value searched for, or nothing when it does not fit; arrays
// made on the way stay in `temps`.
std::optional<COSValue> searchedWord(SequenceCall const& c, ArrayPtr const& value, std::vector<ArrayPtr>& temps) {
  ArrayPtr const v = value ? value : ArrayPtr(HostArray::createEmpty(), false);
  requireLive(v.get());
  // An empty value (but the empty text) is no item: a front end compares it its own way.
  if (v->isEmpty() && v->classID() != ClassID::Char) return std::nullopt;
  Interned const type = c.valueType();
  if (fitCost(v.get(), type) < 0) return std::nullopt;
  temps.push_back(v);
  return convertFitting(v.get(), type, temps);
}

}  // namespace

bool Runtime::hasSequenceAccess(ArrayPtr const& object) { return protocolOf(object.get()).access != nullptr; }

std::size_t Runtime::sequenceSize(ArrayPtr const& object) {
  SequenceCall const c = sequenceCall(object);
  return c.access->size(c.data, c.self);
}

std::size_t Runtime::sequenceItems(ArrayPtr const& object, std::size_t first, std::size_t count,
                                   std::vector<ArrayPtr>& out) {
  SequenceCall const c = sequenceCall(object);
  if (count == 0) return 0;
  // No more words than there are items: a position at or past the end asks
  // for one, which the access refuses with the error of "at".
  std::size_t const size = c.access->size(c.data, c.self);
  count = first < size ? std::min(count, size - first) : 1;
  Interned const type = c.access->itemType(c.data);
  SmallBuffer<COSValue, 64> words(count);
  std::size_t const n = c.access->items(c.data, c.self, first, count, words.data());
  out.reserve(out.size() + n);
  for (std::size_t i = 0; i < n; ++i) out.push_back(fromWord(words[i], type));
  return n;
}

std::optional<std::size_t> Runtime::sequenceFind(ArrayPtr const& object, ArrayPtr const& value, std::size_t from,
                                                 std::size_t to) {
  SequenceCall const c = sequenceCall(object);
  std::vector<ArrayPtr> temps;
  std::optional<COSValue> const w = searchedWord(c, value, temps);
  if (!w) return std::nullopt;
  return c.access->find(c.data, c.self, *w, from, to);
}

std::optional<std::size_t> Runtime::sequenceCount(ArrayPtr const& object, ArrayPtr const& value) {
  SequenceCall const c = sequenceCall(object);
  std::vector<ArrayPtr> temps;
  std::optional<COSValue> const w = searchedWord(c, value, temps);
  if (!w) return std::nullopt;
  return c.access->count(c.data, c.self, *w);
}

ArrayPtr Runtime::sequenceTake(ArrayPtr const& object, std::size_t position) {
  SequenceCall const c = sequenceCall(object);
  if (!c.access->take)
    throw HostError("No method \"erase\" in class " + quoted(classForValue(object.get())->getName().view()) + ".");
  return fromWord(c.access->take(c.data, c.self, position), c.access->itemType(c.data));
}

// --- counters ------------------------------------------------------------

std::size_t Runtime::liveObjects() { return COSInterface::live(); }
std::size_t Runtime::liveBindings() { return factory::basic::BindingRegistry::size(); }
std::size_t Runtime::liveArrays() { return HostArray::live(); }

void Runtime::registerCounter(std::string const& name, std::size_t (*count)()) {
  auto& counters = state().counters;
  for (auto& c : counters)
    if (c.first == name) {
      c.second = count;
      return;
    }
  counters.emplace_back(name, count);
}

std::vector<std::pair<std::string, std::size_t>> Runtime::counters() {
  std::vector<std::pair<std::string, std::size_t>> out{
      {"host objects", liveObjects()}, {"bindings", liveBindings()}, {"arrays", liveArrays()}};
  for (auto const& [name, count] : state().counters)
    if (count) out.emplace_back(name, count());
  return out;
}

}  // namespace kovo
