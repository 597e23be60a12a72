// Public C++ host API: embed the host runtime, load modules, and make every
// form of host call with host values in and out.
//
//   quillon::Host host;
//   host.load("mm_types_xb");
//   auto m  = host.construct("Ozo.Model", {});
//   auto ax = host.construct("Zorvan.metamodel.types.Axis", {m, 3, "speed"});
//   host.set(ax, "Dimensions", 4);
//   int d = host.get(ax, "Dimensions").toInt32();
//
// Every failure is a quillon::Error whose what() is exactly the text a host
// user sees. The host runtime is one per process: every Host object is a
// session on the same runtime, and loaded modules stay loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A host value: an array of doubles, int32s, logicals, characters or objects.
// Scalars are 1-by-1 arrays; text is a 1-by-N character array; an empty
// object array of a class is an empty handle of that class.
class Value {
 public:
  enum class Type { Double, Int32, Logical, Char, Object };

  Value();  // the empty double array []
  Value(int v);  // a 1-by-1 int32 array
  Value(double v);
  Value(bool v);
  // Text. UTF-8 is decoded as it is: a leading U+FEFF stays a character,
  // malformed bytes become U+FFFD. UTF-16 is taken unchanged, lone
  // surrogates included.
  Value(char const* utf8);
  Value(std::string_view utf8);
  Value(std::string const& utf8);
  Value(std::u16string_view text);
  Value(Value const& other);
  Value(Value&& other) noexcept;
  Value& operator=(Value other) noexcept;
  ~Value();

  // Largest element count of a value. A larger request fails with
  // "Requested array exceeds the maximum array size." before anything is
  // allocated; checkSize raises that error, so that a front end can check a
  // length before it converts anything.
  static constexpr std::size_t kMaxElements = std::size_t{1} << 28;
  static void checkSize(std::size_t n);

  static Value int32(std::int32_t v);
  static Value logical(bool v);
  // 1-by-N arrays.
  static Value doubles(std::vector<double> const& values);
  static Value int32s(std::vector<std::int32_t> const& values);
  static Value logicals(std::vector<bool> const& values);
  // 1-by-N object array; every element must be a 1-by-1 object value.
  static Value objects(std::vector<Value> const& elements);

  Type type() const;
  std::size_t rows() const;
  std::size_t cols() const;
  std::size_t numel() const;
  bool isEmpty() const { return numel() == 0; }
  bool isObject() const { return type() == Type::Object; }
  // "double", "int32", "logical", "char", or the class of an object array.
  std::string className() const;

  // Element i converted (numbers and logicals); throws Error when not numeric
  // or out of range.
  double toDouble(std::size_t i = 0) const;
  std::int32_t toInt32(std::size_t i = 0) const;
  bool toBool(std::size_t i = 0) const;
  // Character arrays only. The UTF-16 form is the text as stored; in UTF-8
  // a lone surrogate (which UTF-8 cannot carry) becomes U+FFFD.
  std::string toString() const;
  std::u16string toU16String() const;
  // Element i of an object array as a 1-by-1 object value.
  Value element(std::size_t i) const;
  // Identity of the host object in a 1-by-1 object array (0 otherwise): two
  // values hold the same host object exactly when their identities are equal.
  std::uintptr_t identity() const;
  bool sameObject(Value const& other) const { return identity() != 0 && identity() == other.identity(); }
  // Full name of the class of the host object in a 1-by-1 object array
  // (empty otherwise). A view of the runtime's own name: it lives as long as
  // the process, and one class's name is always the same view, so its
  // address can key a table of classes.
  std::string_view objectClassName() const;
  // A word a front end keeps in the host object of a 1-by-1 object array:
  // its own wrapper of that object, so that wrapping the same object again
  // finds it without a table. Null until set (and for any other value). The
  // front end keeps it right: it sets it when it makes the wrapper, clears it
  // when the wrapper goes, and does both under its own lock.
  void* frontWord() const;
  void setFrontWord(void* word) const;
  // Identity of the object a 1-by-1 object array stands for (0 otherwise):
  // the same for every host object that is a view of one model object (an
  // element seen immutable and modifiable), different for different objects
  // while both live. A value object (a DataSize holds its own copy) and a
  // host object destroyed explicitly are objects of their own.
  std::uintptr_t objectKey() const;
  // Reference count of the host object (diagnostics; 0 when not an object).
  int objectRefCount() const;

  // Implementation access (the runtime's array; one reference held).
  void* raw() const { return fArray; }
  static Value adopt(void* array);

 private:
  struct Adopted {};
  Value(Adopted, void* array) noexcept : fArray(array) {}
  void* fArray;
};

// Byte length of the well-formed UTF-8 character at the start of `utf8`
// (not empty), or 0 when the bytes there are malformed: the same decoding
// that text values use, for front ends that check text themselves.
std::size_t utf8CharLength(std::string_view utf8) noexcept;

// Descriptions are views of the runtime's own names and texts. Those live as
// long as the process (classes are never unloaded), so a description can be
// kept and copied freely; copy a text into a std::string to edit it.
struct MethodDesc {
  std::string_view name;
  std::string_view kind;  // "static", "instance", "explicit", "constructor", "function"
  std::int32_t attributes = 0;
  std::uint32_t flags = 0;
  std::vector<std::string_view> argumentNames;
  std::string_view argumentNamesText;  // the names exactly as registered (" aKind, aName")
  std::string_view result;
  std::optional<std::string_view> self;
  std::vector<std::string_view> arguments;
  std::string_view description;
  std::string_view declaredIn;  // full name of the class that registered it
  // "name(arg types) -> result" as a host user reads it.
  std::string signatureText() const;
};

struct PropertyDesc {
  std::string_view name;
  std::string_view type;
  std::optional<int> multiplicity;
  bool readOnly = false;
  std::uint32_t attributes = 0;
  std::optional<unsigned> index;
  bool isStatic = false;
  std::string_view declaredIn;
};

struct MetaPropertyDesc {
  std::string_view name;
  int id = 0;
  std::string_view declaredBy;
};

struct ClassDesc {
  std::string_view name;
  std::string_view shortName;
  std::string_view description;
  std::vector<std::string_view> superclasses;
  std::vector<MethodDesc> methods;              // own, registration order
  std::vector<PropertyDesc> properties;         // own, registration order (meta entries excluded)
  std::vector<MetaPropertyDesc> metaProperties; // own meta-property entries
};

class Sequence;
class Subscription;

// One change of a model, as an observer receives it: `kind()` is "set",
// "unset", "add", "remove", "move", "clear", "create" or "delete";
// `property()` the host name of the property changed (empty for create and
// delete); `oldValue()` and `newValue()` what a read of the property gave
// before and after (for a sequence: the item taken out or put in; for a move,
// the item's positions; for a clear, the items taken out). `position()` is
// the 1-based position of a sequence change, 0 for every other change.
//
// An event lives for its callback only, so it cannot be copied; its values
// are made when asked for (an observer that reads the kind alone pays for no
// value) and may be kept. The texts are the system's own and live as long as
// the process.
class ChangeEvent {
 public:
  ChangeEvent(ChangeEvent const&) = delete;
  ChangeEvent& operator=(ChangeEvent const&) = delete;

  std::string_view kind() const;
  std::string_view property() const;
  std::size_t position() const;
  Value element() const;
  Value oldValue() const;
  Value newValue() const;

 private:
  friend class Host;
  explicit ChangeEvent(void const* change) : fChange(change) {}
  void const* fChange;  // the runtime's change, alive during the callback
};
using ChangeCallback = std::function<void(ChangeEvent const&)>;

struct PackageDesc {
  std::string name;
  std::vector<std::string> classes;  // full names, registration order
  std::vector<std::string> functions;
};

class Host {
 public:
  Host();

  void load(std::string const& module);
  // Adds a directory to the module path.
  void addModuleDirectory(std::string const& dir);

  bool hasClass(std::string_view fullName) const;
  bool hasPackage(std::string_view fullName) const;
  PackageDesc describePackage(std::string_view fullName) const;
  ClassDesc describeClass(std::string_view fullName) const;
  // All members (own and inherited) of a class, by name.
  std::vector<MethodDesc> methods(std::string_view fullName, std::string_view method) const;
  std::vector<PropertyDesc> allProperties(std::string_view fullName) const;
  std::vector<std::string> memberNames(std::string_view fullName) const;

  // Each call takes its arguments as a vector, a braced list (`{2, "x"}`,
  // `{}`: no vector is made) or `count` values at `args` that the caller
  // keeps (a front end's own buffer).
  //
  // Static method, or an instance/explicit method with the object first.
  Value call(std::string_view className, std::string_view method, std::vector<Value> const& args) const;
  Value call(std::string_view className, std::string_view method, std::initializer_list<Value> args) const;
  Value callFunction(std::string_view package, std::string_view function, std::vector<Value> const& args) const;
  Value callFunction(std::string_view package, std::string_view function, std::initializer_list<Value> args) const;
  Value construct(std::string_view className, std::vector<Value> const& args) const;
  Value construct(std::string_view className, std::initializer_list<Value> args) const;
  Value construct(std::string_view className, Value const* args, std::size_t count) const;
  // Method on an object.
  Value invoke(Value const& object, std::string_view method, std::vector<Value> const& args) const;
  Value invoke(Value const& object, std::string_view method, std::initializer_list<Value> args) const;
  Value invoke(Value const& object, std::string_view method, Value const* args, std::size_t count) const;
  Value get(Value const& object, std::string_view property) const;
  Value getStatic(std::string_view className, std::string_view property) const;
  void set(Value const& object, std::string_view property, Value const& value) const;
  void destroy(Value const& object) const;
  // Full class name of the object in a 1-by-1 object value.
  std::string classOf(Value const& object) const;
  // The host sequence in `object` (an object whose class has "size" and
  // "at"), for size, 0-based access and range-for. Any other value fails:
  // "Class \"C\" is not a sequence." (a non-object as classOf does).
  Sequence sequence(Value const& object) const;

  // Calls `callback` after every change of `target`: an element (its own
  // changes) or a model (every change in it), synchronously, once per
  // change, in the order of the changes, when the host call that made it
  // returns. A callback may change the model: the events of its changes
  // follow the one being delivered. What a callback throws goes to the error
  // sink; the change stays, and other observers still get the event. The
  // subscription holds the target alive until it ends (closed or destroyed).
  // Anything but an element or a model fails: "Only an element or a model
  // can be observed".
  [[nodiscard]] Subscription observe(Value const& target, ChangeCallback callback) const;

  // Where errors of callbacks go (and a rollback that fails in a
  // destructor): the sink, or the host's console as "Error in a change
  // callback: <text>" when the sink is empty. Returns the previous sink.
  using ErrorSink = std::function<void(std::exception_ptr)>;
  static ErrorSink setErrorSink(ErrorSink sink);

  // Live counts: "host objects", "bindings", "arrays" and what libraries
  // publish ("model objects", ...).
  std::vector<std::pair<std::string, std::size_t>> counters() const;
  std::size_t counter(std::string_view name) const;

  // Captures console output of the host while alive.
  class OutputCapture {
   public:
    explicit OutputCapture(Host const& host);
    ~OutputCapture();
    std::string const& text() const { return *fText; }
    OutputCapture(OutputCapture const&) = delete;
    OutputCapture& operator=(OutputCapture const&) = delete;

   private:
    std::string* fText;
    std::uint64_t fSink;
  };
};

// An observation of changes (Host::observe); ends when closed or destroyed.
class Subscription {
 public:
  Subscription() = default;
  ~Subscription();
  Subscription(Subscription&& other) noexcept : fId(std::exchange(other.fId, 0)) {}
  Subscription& operator=(Subscription&& other) noexcept;
  Subscription(Subscription const&) = delete;
  Subscription& operator=(Subscription const&) = delete;

  // Ends the subscription: no event reaches its callback afterwards, even
  // one already queued. Closing it again does nothing.
  void close() noexcept;
  bool isOpen() const { return fId != 0; }

 private:
  friend class Host;
  explicit Subscription(std::uint64_t id) : fId(id) {}
  std::uint64_t fId = 0;
};

// The changes of one model from now on, undone together unless committed:
//
//   quillon::Transaction t(host, model);
//   host.set(axis, "Dimensions", 4);   // ... and more
//   t.commit();                        // without it, the destructor rolls back
//
// Rolling back undoes every change made in the model since the transaction
// began, latest first: elements created are taken out of the model (one the
// host still holds refuses every write and cannot be linked to), elements
// moved go back to their owners and positions. A committed transaction can
// be undone and then redone. A model has one open transaction at most; a
// read-only model has none. The transaction holds its model alive until it
// ends. What a rollback in the destructor fails with goes to the error sink.
class Transaction {
 public:
  Transaction(Host const& host, Value const& model);
  ~Transaction();
  Transaction(Transaction&& other) noexcept : fId(std::exchange(other.fId, 0)) {}
  Transaction& operator=(Transaction&&) = delete;
  Transaction(Transaction const&) = delete;
  Transaction& operator=(Transaction const&) = delete;

  void commit();
  void rollback();
  // A committed transaction only; undo and redo alternate.
  void undo();
  void redo();

 private:
  std::uint64_t fId = 0;
};

// A host sequence read from C++, with 0-based indices:
//
//   for (quillon::Value item : host.sequence(host.get(ax, "SymbolicDimensions")))
//     use(item.toString());
//
// It holds a reference to the sequence object, which keeps the collection
// alive; every read goes to the live collection. A walk reads the items in
// batches of kBatch, one host call each; it reads the size when it starts
// and again on reaching that end, so items appended meanwhile are walked
// too. An item is read when its batch is, so a change after that is seen
// from the next batch on. A sequence that shrinks under a walk ends the
// current batch early and stops the walk with the host's bounds error.
// Iterators refer to their Sequence, which must outlive them.
class Sequence {
 public:
  class Iterator;
  struct Sentinel {};
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  // Items a walk reads in one host call.
  static constexpr std::size_t kBatch = 128;

  Value const& object() const { return fObject; }
  std::size_t size() const;
  bool empty() const { return size() == 0; }
  // Item i; beyond the end fails with "Sequence index 3 is out of range for
  // 3 items.".
  Value at(std::size_t i) const;
  Value operator[](std::size_t i) const { return at(i); }
  Iterator begin() const;
  Sentinel end() const { return {}; }

  // At most `count` items from `first`, appended to `out`, in one host
  // call; how many were read (fewer where the sequence ends sooner). `first`
  // at or past the end fails with the host's bounds error.
  std::size_t read(std::size_t first, std::size_t count, std::vector<Value>& out) const;
  // Searches made in the host, one call each, comparing as the host's
  // "contains" does (model objects by identity, values and texts by value);
  // a list that keeps an order (a unique value list) answers from it. The
  // first position of `value` in [from, to), or none. A value of a type the
  // items cannot have is found nowhere; `comparable`, when given, is set to
  // whether it could be (false also for a sequence the host cannot search).
  std::optional<std::size_t> find(Value const& value, std::size_t from = 0, std::size_t to = npos,
                                  bool* comparable = nullptr) const;
  std::size_t count(Value const& value, bool* comparable = nullptr) const;
  bool contains(Value const& value) const { return find(value).has_value(); }
  // Removes item i and returns it, in one host call; beyond the end fails as
  // at() does, a read-only sequence as its host "erase" does.
  Value take(std::size_t i) const;

 private:
  friend class Host;
  explicit Sequence(Value object) : fObject(std::move(object)) {}
  Value fObject;
};

class Sequence::Iterator {
 public:
  using value_type = Value;
  using difference_type = std::ptrdiff_t;

  Iterator() = default;
  Value const& operator*() const { return fBatch[fIndex - fFirst]; }
  Iterator& operator++();
  void operator++(int) { ++*this; }
  bool operator==(Sentinel) const { return fIndex >= fSize; }
  // 0-based index of the item the iterator is at.
  std::size_t index() const { return fIndex; }

 private:
  friend class Sequence;
  Iterator(Sequence const* sequence, std::size_t size);
  void fill();  // reads the batch that starts at fIndex
  Sequence const* fSequence = nullptr;
  std::size_t fIndex = 0;
  std::size_t fSize = 0;   // the size last read
  std::size_t fFirst = 0;  // index of fBatch[0]
  std::vector<Value> fBatch;
};

}  // namespace quillon
