// The host runtime: module loading and the dispatcher through which every
// host call goes. One runtime per process; all calls on one thread at a time.
//
// Arguments and results are host arrays (scalars are 1-by-1 arrays). The
// dispatcher picks the overload whose signature fits the arguments, converts
// each argument to the signature's host data type, calls the invoker, and
// turns the output word back into an array. Bad input (no fitting overload,
// unknown names, destroyed objects) is a HostError raised before any invoker
// runs; errors raised inside invokers and descriptors pass through unchanged.
#pragma once

#include <kovo/Class.hpp>
#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kovo {

class Runtime {
 public:
  // Loads the module `name` once: dlopen of lib<name>.so from the module
  // path, then its QnInitialize_<name>. Loading a loaded module does nothing.
  static void loadModule(std::string const& name);
  static bool isLoaded(std::string const& name);
  // Calls QnTerminate_<name> of every loaded module (in reverse load order).
  static void terminateModules();
  // Directories searched for modules: those added here, then each entry of
  // QUILLON_MODULE_PATH, then the directory of the host library itself.
  static void addModuleDirectory(std::string const& dir);
  static std::vector<std::string> modulePath();

  // Name lookup (throws HostError with a clear message when unknown).
  static COSClass* requireClass(std::string_view fullName);
  static COSPackage* requirePackage(std::string_view fullName);

  // A method through its class: a static method, or an instance or explicit
  // method with the object as args[0].
  static ArrayPtr callStatic(COSClass* cls, std::string_view method, std::span<ArrayPtr const> args);
  // A method on an object (instance and explicit methods; static methods too).
  static ArrayPtr callMethod(ArrayPtr const& object, std::string_view method, std::span<ArrayPtr const> args);
  static ArrayPtr callFunction(COSPackage* pkg, std::string_view function, std::span<ArrayPtr const> args);
  static ArrayPtr construct(COSClass* cls, std::span<ArrayPtr const> args);
  static ArrayPtr getProperty(ArrayPtr const& object, std::string_view property);
  // The host value of an output word of host data type `type` (taking over
  // the reference an array word carries), as a read or a call gives it.
  static ArrayPtr valueOfWord(COSValue word, Interned type);
  // Static properties, read through the class.
  static ArrayPtr getStaticProperty(COSClass* cls, std::string_view property);
  static void setProperty(ArrayPtr const& object, std::string_view property, ArrayPtr const& value);
  // Destroys an object now: its class's destroyInstance runs, and any later
  // use of it is the error "Invalid or deleted object."
  static void destroy(ArrayPtr const& object);

  // Sequences read, searched and taken from in one call each, through the
  // SequenceAccess of the object's class (Class.hpp); 0-based positions.
  // The object is checked as a method call's object is; an object whose
  // class has no access fails with "Class \"C\" is not a sequence."
  static bool hasSequenceAccess(ArrayPtr const& object);
  static std::size_t sequenceSize(ArrayPtr const& object);
  // Appends at most `count` items from `first` to `out`; how many (fewer
  // where the sequence ends sooner). `first` at or beyond the end fails with
  // the bounds error of "at".
  static std::size_t sequenceItems(ArrayPtr const& object, std::size_t first, std::size_t count,
                                   std::vector<ArrayPtr>& out);
  // The position of the first item equal to `value` in [from, to)
  // (SequenceAccess::npos when none), and how many items equal it; nothing
  // when `value` does not fit the type of the items or is empty (an empty
  // handle, a value with nothing in it; the empty text is searched for).
  static std::optional<std::size_t> sequenceFind(ArrayPtr const& object, ArrayPtr const& value, std::size_t from,
                                                 std::size_t to);
  static std::optional<std::size_t> sequenceCount(ArrayPtr const& object, ArrayPtr const& value);
  // Erases the item at `position` and returns it.
  static ArrayPtr sequenceTake(ArrayPtr const& object, std::size_t position);

  // The class of the object in a 1-by-1 object array (throws otherwise).
  static COSClass* classOf(ArrayPtr const& object);
  // Converts `value` to host data type `type` as the dispatcher would; null when it does not fit.
  static ArrayPtr convert(ArrayPtr const& value, Interned type);
  // Number of live host objects, live bindings, live arrays.
  static std::size_t liveObjects();
  static std::size_t liveBindings();
  static std::size_t liveArrays();
  // Named live-object counters that libraries publish ("model objects", ...),
  // so that tests can prove everything is released.
  static void registerCounter(std::string const& name, std::size_t (*count)());
  static std::vector<std::pair<std::string, std::size_t>> counters();
};

}  // namespace kovo
