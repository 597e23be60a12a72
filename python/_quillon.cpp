// _quillon: the compiled half of the Python front end. It converts Python
// values to host values and back, and forwards every call to the public host
// API, and keeps the one wrapper of each live host object. Everything about
// classes (members, protocols) lives in the pure-Python package on top.
//
// The GIL stays held during host calls on purpose: the host runtime serves one
// thread at a time, and the GIL is what serialises Python threads for it.
#include <quillon/host.hpp>

#include <kovo/OpenTable.hpp>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <structmember.h>

#include <bit>
#include <chrono>
#include <climits>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <memory>
#include <utility>
#include <vector>

namespace py = pybind11;

namespace {

// Set once by the package at import. Kept as plain strong references that are
// never dropped: py::object statics would be destroyed after the interpreter.
struct Hooks {
  PyObject* classFor = nullptr;       // host class name -> its Python class
  PyObject* hostError = nullptr;      // quillon.HostError
  PyObject* argumentError = nullptr;  // quillon.ArgumentError (a HostError and a TypeError)
  PyObject* package = nullptr;        // the quillon package of the first import
};
Hooks gHooks;

// A Python value with no host form, or arguments that fit no signature:
// raised as quillon.ArgumentError.
struct ConversionError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void raiseTypeError(std::string const& text) { throw ConversionError(text); }

// Host errors that say an argument does not fit (rather than that the host or
// a module refused a well-formed request).
bool isArgumentError(std::string_view what) {
  return what.starts_with("No signature of ") ||
         (what.starts_with("Cannot set property ") && what.find("\": expected ") != std::string_view::npos);
}

// Host text is native-order UTF-16. Both directions name the byte order, so a
// leading U+FEFF or U+FFFE is text like any other, never a byte-order mark.
constexpr bool kLittleEndian = std::endian::native == std::endian::little;
constexpr char const* kUtf16 = kLittleEndian ? "utf-16-le" : "utf-16-be";

std::string typeName(py::handle h) { return Py_TYPE(h.ptr())->tp_name; }

// ---- wrappers --------------------------------------------------------------
//
// Every Python object that stands for a host object is an instance of
// Wrapper (quillon.Object and the host classes derive from it, adding no
// fields). It holds its one host reference inline.
//
// One wrapper per live host object: `live` finds each host identity's
// wrapper (borrowed). The wrapper's dealloc removes its entry before it
// releases its reference, so an identity the host reuses for a new object
// never finds a dead wrapper.

struct Wrapper {
  PyObject_HEAD
  // The host object's identity once `value` is constructed; 0 for an
  // instance made without one (object.__new__ on a host class), which
  // stands for nothing.
  std::uintptr_t identity;
  PyObject* weakrefs;  // weakref.ref(obj) and WeakValueDictionary hold these
  alignas(quillon::Value) unsigned char storage[sizeof(quillon::Value)];

  quillon::Value& value() { return *std::launder(reinterpret_cast<quillon::Value*>(storage)); }
};

PyTypeObject* gWrapperType = nullptr;  // _quillon.Wrapper

// The live wrappers by identity: a table of the wrappers alone, each
// entry's key read from its wrapper, so an entry costs a pointer and some
// free room.
struct WrapperTraits {
  static std::uintptr_t key(PyObject* const& w) { return reinterpret_cast<Wrapper*>(w)->identity; }
  static bool isFree(PyObject* const& w) { return w == nullptr; }
};
using LiveWrappers = kovo::OpenTable<PyObject*, WrapperTraits>;

LiveWrappers& live() {
  // Never destroyed: wrappers may outlive static destruction at exit.
  static auto* table = new LiveWrappers();
  return *table;
}

quillon::Host const& session() {
  static quillon::Host const host;
  return host;
}

// The host object of `obj` if it is a wrapper that has one.
quillon::Value const* wrapperValue(PyObject* obj) {
  if (!gWrapperType || !PyObject_TypeCheck(obj, gWrapperType)) return nullptr;
  auto* w = reinterpret_cast<Wrapper*>(obj);
  return w->identity ? &w->value() : nullptr;
}

void wrapperDealloc(PyObject* self) {
  auto* w = reinterpret_cast<Wrapper*>(self);
  PyTypeObject* type = Py_TYPE(self);
  if (w->identity) {
    // Only the entry of this wrapper: a wrapper whose entry was never made
    // (see wrap) must not take another's.
    LiveWrappers& table = live();
    if (PyObject** const entry = table.find(w->identity); entry && *entry == self) table.erase(entry);
  }
  // After the entry is gone: a weak reference's callback that wraps the same
  // host object again gets a new wrapper, never this one.
  if (w->weakrefs) PyObject_ClearWeakRefs(self);
  if (w->identity) w->value().~Value();
  type->tp_free(self);
  Py_DECREF(type);
}

// `_ref`: what the package's Python code hands the session for this object
// (the wrapper itself); missing on a wrapper without a host object.
PyObject* wrapperRef(PyObject* self, void*) {
  if (reinterpret_cast<Wrapper*>(self)->identity) return Py_NewRef(self);
  PyErr_Format(PyExc_AttributeError, "'%s' object has no attribute '_ref'", Py_TYPE(self)->tp_name);
  return nullptr;
}

PyGetSetDef wrapperGetSet[] = {{"_ref", &wrapperRef, nullptr, nullptr, nullptr},
                               {nullptr, nullptr, nullptr, nullptr, nullptr}};

PyMemberDef wrapperMembers[] = {
    {"__weaklistoffset__", T_PYSSIZET, offsetof(Wrapper, weakrefs), READONLY, nullptr},
    {nullptr, 0, 0, 0, nullptr}};

PyType_Slot wrapperSlots[] = {{Py_tp_dealloc, reinterpret_cast<void*>(&wrapperDealloc)},
                              {Py_tp_getset, wrapperGetSet},
                              {Py_tp_members, wrapperMembers},
                              {0, nullptr}};

PyType_Spec wrapperTypeSpec = {"quillon._quillon.Wrapper", sizeof(Wrapper), 0,
                               Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE, wrapperSlots};

PyObject* liveWrapper(std::uintptr_t id) {
  PyObject** const entry = live().find(id);
  return entry ? *entry : nullptr;
}

// The wrapper of the host object in `v` (a 1-by-1 object array): the live
// one, or a new one of the Python class of its host class.
py::object wrap(quillon::Value v) {
  std::uintptr_t const id = v.identity();
  if (id == 0) throw std::logic_error("a host object value without an object");
  if (PyObject* w = liveWrapper(id)) return py::reinterpret_borrow<py::object>(w);
  py::object cls = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(gWrapperType));
  if (gHooks.classFor) {
    cls = py::reinterpret_borrow<py::object>(gHooks.classFor)(session().classOf(v));
    if (!PyType_Check(cls.ptr()) || !PyType_IsSubtype(reinterpret_cast<PyTypeObject*>(cls.ptr()), gWrapperType))
      throw std::logic_error("a host class's Python class is not a quillon.Object");
    // Python code ran (and may have let another thread run): look again.
    if (PyObject* w = liveWrapper(id)) return py::reinterpret_borrow<py::object>(w);
  }
  auto* type = reinterpret_cast<PyTypeObject*>(cls.ptr());
  PyObject* const made = type->tp_alloc(type, 0);
  if (!made) throw py::error_already_set();
  py::object obj = py::reinterpret_steal<py::object>(made);
  // Under the GIL, find-or-make is one step as long as no Python code runs
  // between the lookup and the insert. Allocating may run a collection (and
  // finalizers) all the same, so the entry is taken only if still free; if
  // not, that wrapper wins and this bare one goes.
  if (PyObject* w = liveWrapper(id)) return py::reinterpret_borrow<py::object>(w);
  auto* w = reinterpret_cast<Wrapper*>(made);
  ::new (w->storage) quillon::Value(std::move(v));
  w->identity = id;
  live().insert(made);  // runs no Python code; if it throws, dealloc finds no entry
  return obj;
}

// ---- Python -> host -------------------------------------------------------

// Lone surrogates pass through: host text is UTF-16, so any Python str
// survives the round trip unchanged.
void appendText(PyObject* str, std::u16string& out) {
  PyObject* bytes = PyUnicode_AsEncodedString(str, kUtf16, "surrogatepass");
  if (!bytes) throw py::error_already_set();
  py::object owner = py::reinterpret_steal<py::object>(bytes);
  auto const* data = reinterpret_cast<char16_t const*>(PyBytes_AS_STRING(bytes));
  out.append(data, static_cast<std::size_t>(PyBytes_GET_SIZE(bytes)) / 2);
}

quillon::Value textToHost(py::handle h) {
  std::u16string text;
  appendText(h.ptr(), text);
  return quillon::Value(std::u16string_view(text));
}

// The host object behind a wrapper. A copy: it holds its own reference,
// whatever Python code does to the wrapper meanwhile. A wrapper made by hand,
// without its host object, stands for nothing.
std::optional<quillon::Value> refOf(py::handle h) {
  if (quillon::Value const* v = wrapperValue(h.ptr())) return *v;
  if (!gWrapperType || PyObject_TypeCheck(h.ptr(), gWrapperType)) return std::nullopt;
  // Not a wrapper by type; one by isinstance (a `__class__` that says so, or
  // raises) is asked for its `_ref`.
  int const isObject = PyObject_IsInstance(h.ptr(), reinterpret_cast<PyObject*>(gWrapperType));
  if (isObject < 0) throw py::error_already_set();
  if (isObject == 0) return std::nullopt;
  PyObject* r = PyObject_GetAttrString(h.ptr(), "_ref");
  if (!r) {
    if (!PyErr_ExceptionMatches(PyExc_AttributeError)) throw py::error_already_set();
    PyErr_Clear();
    return std::nullopt;
  }
  py::object owner = py::reinterpret_steal<py::object>(r);
  if (quillon::Value const* v = wrapperValue(r)) return *v;
  return std::nullopt;
}

bool isInt32(long long v) { return v >= INT32_MIN && v <= INT32_MAX; }

// An int as a host number: int32 when it fits, a double otherwise; one beyond
// the double range has no host form.
struct IntValue {
  double number;
  std::optional<std::int32_t> int32;
};

IntValue intValue(PyObject* p) {
  // PyLong_* read the int itself: a subclass's __index__ or __float__ never runs.
  int overflow = 0;
  long long const v = PyLong_AsLongLongAndOverflow(p, &overflow);
  if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
  if (!overflow && isInt32(v)) return {static_cast<double>(v), static_cast<std::int32_t>(v)};
  double const d = PyLong_AsDouble(p);
  if (d == -1.0 && PyErr_Occurred()) {
    PyErr_Clear();
    raiseTypeError("int too large to convert to a host value");
  }
  return {d, std::nullopt};
}

quillon::Value sequenceToHost(py::handle h) {
  // The sequence is read exactly once, into a tuple that nothing can change
  // (for an exact tuple, the tuple itself): a list subclass may iterate
  // differently each time, and converting an item may run Python code.
  // An oversized request is refused before anything is copied: its length
  // first, then the copy's own length, which is the one that counts.
  Py_ssize_t const length = PyObject_Length(h.ptr());
  if (length < 0) PyErr_Clear();
  else quillon::Value::checkSize(static_cast<std::size_t>(length));
  PyObject* t = PySequence_Tuple(h.ptr());
  if (!t) throw py::error_already_set();
  py::tuple items = py::reinterpret_steal<py::tuple>(t);
  std::size_t const n = static_cast<std::size_t>(PyTuple_GET_SIZE(t));
  quillon::Value::checkSize(n);
  if (n == 0) return quillon::Value();
  enum Kind : unsigned { Logical = 1, Int = 2, Float = 4, Char = 8, Object = 16 };
  constexpr unsigned Numbers = Logical | Int | Float;
  unsigned kinds = 0;
  bool allInt32 = true;
  std::vector<double> numbers;  // logicals as 0/1
  std::vector<std::int32_t> ints;
  std::u16string chars;
  std::vector<quillon::Value> objects;
  for (std::size_t i = 0; i < n; ++i) {
    PyObject* p = PyTuple_GET_ITEM(t, static_cast<Py_ssize_t>(i));
    unsigned kind = 0;
    if (PyBool_Check(p)) {
      kind = Logical;
      numbers.push_back(p == Py_True ? 1.0 : 0.0);
      if (allInt32) ints.push_back(p == Py_True ? 1 : 0);
    } else if (PyLong_Check(p)) {
      kind = Int;
      IntValue const v = intValue(p);
      numbers.push_back(v.number);
      if (v.int32) {
        if (allInt32) ints.push_back(*v.int32);
      } else {
        allInt32 = false;
      }
    } else if (PyFloat_Check(p)) {
      kind = Float;
      allInt32 = false;
      numbers.push_back(PyFloat_AS_DOUBLE(p));
    } else if (PyUnicode_Check(p) && PyUnicode_GET_LENGTH(p) == 1) {
      kind = Char;
      appendText(p, chars);
    } else if (auto r = refOf(p)) {
      kind = Object;
      objects.push_back(std::move(*r));
    } else {
      raiseTypeError("cannot convert " + typeName(h) + " element of type " + typeName(p) +
                     " to a host value");
    }
    kinds |= kind;
    if ((kinds & ~Numbers) != 0 && kinds != Char && kinds != Object)
      raiseTypeError("cannot convert " + typeName(h) +
                     " mixing numbers, characters and objects to a host value");
  }
  if (kinds == Logical) {
    std::vector<bool> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = numbers[i] != 0.0;
    return quillon::Value::logicals(v);
  }
  // Numbers (logicals among numbers count as 0/1): int32 when every one fits,
  // doubles otherwise.
  if ((kinds & ~Numbers) == 0) return allInt32 ? quillon::Value::int32s(ints) : quillon::Value::doubles(numbers);
  if (kinds == Char) return quillon::Value(std::u16string_view(chars));
  return quillon::Value::objects(objects);
}

quillon::Value toHost(py::handle h) {
  PyObject* p = h.ptr();
  if (p == Py_None) return quillon::Value();
  if (PyBool_Check(p)) return quillon::Value::logical(p == Py_True);
  if (PyLong_Check(p)) {
    IntValue const v = intValue(p);
    return v.int32 ? quillon::Value::int32(*v.int32) : quillon::Value(v.number);
  }
  if (PyFloat_Check(p)) return quillon::Value(PyFloat_AS_DOUBLE(p));
  if (PyUnicode_Check(p)) return textToHost(h);
  if (auto r = refOf(h)) return std::move(*r);
  if (PyList_Check(p) || PyTuple_Check(p)) return sequenceToHost(h);
  raiseTypeError("cannot convert " + typeName(h) + " to a host value");
}

std::vector<quillon::Value> argsToHost(py::tuple const& args) {
  std::vector<quillon::Value> out;
  out.reserve(args.size());
  for (py::handle a : args) out.push_back(toHost(a));
  return out;
}

// ---- host -> Python -------------------------------------------------------

py::object element(quillon::Value const& v, std::size_t i) {
  switch (v.type()) {
    case quillon::Value::Type::Double: return py::float_(v.toDouble(i));
    case quillon::Value::Type::Int32: return py::int_(v.toInt32(i));
    case quillon::Value::Type::Logical: return py::bool_(v.toBool(i));
    case quillon::Value::Type::Object: return wrap(v.element(i));
    case quillon::Value::Type::Char: break;
  }
  throw std::logic_error("character arrays are converted whole");
}

py::object fromHost(quillon::Value const& v) {
  if (v.type() == quillon::Value::Type::Char) {
    std::u16string text = v.toU16String();
    // A given byte order: the decoder then keeps a leading U+FEFF as text.
    int byteOrder = kLittleEndian ? -1 : 1;
    PyObject* s = PyUnicode_DecodeUTF16(reinterpret_cast<char const*>(text.data()),
                                        static_cast<Py_ssize_t>(text.size() * 2), "surrogatepass",
                                        &byteOrder);
    if (!s) throw py::error_already_set();
    return py::reinterpret_steal<py::object>(s);
  }
  std::size_t const n = v.numel();
  if (n == 0) return py::none();
  if (n == 1) return v.type() == quillon::Value::Type::Object ? wrap(v) : element(v, 0);
  std::size_t const rows = v.rows(), cols = v.cols();
  if (rows == 1 || cols == 1) {
    py::list out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = element(v, i);
    return out;
  }
  // A matrix: a list of rows; host arrays store columns one after another.
  py::list out(rows);
  for (std::size_t r = 0; r < rows; ++r) {
    py::list row(cols);
    for (std::size_t c = 0; c < cols; ++c) row[c] = element(v, r + c * rows);
    out[r] = std::move(row);
  }
  return out;
}

quillon::Value refArg(py::handle h) {
  if (auto r = refOf(h)) return std::move(*r);
  raiseTypeError("expected a host object, got " + typeName(h));
}

// ---- errors ----------------------------------------------------------------

void setConversionError(ConversionError const& e) {
  PyErr_SetString(gHooks.argumentError ? gHooks.argumentError : PyExc_TypeError, e.what());
}

void setHostError(quillon::Error const& e) {
  std::string_view what = e.what();
  PyObject* type = gHooks.hostError ? gHooks.hostError : PyExc_RuntimeError;
  if (gHooks.argumentError && isArgumentError(what)) type = gHooks.argumentError;
  PyObject* text = PyUnicode_DecodeUTF8(what.data(), static_cast<Py_ssize_t>(what.size()), "replace");
  if (!text) return;  // the decoding error is already set
  PyErr_SetObject(type, text);
  Py_DECREF(text);
}

// Runs `f` for a slot of a type written against the C API: every failure
// becomes the Python exception pybind11 would raise for it, and the slot
// returns `failed`.
template <class R, class F>
R pythonSlot(R failed, F f) noexcept {
  try {
    return f();
  } catch (py::error_already_set& e) {
    e.restore();
  } catch (ConversionError const& e) {
    setConversionError(e);
  } catch (quillon::Error const& e) {
    setHostError(e);
  } catch (std::bad_alloc const&) {
    PyErr_NoMemory();
  } catch (std::exception const& e) {
    PyErr_SetString(PyExc_RuntimeError, e.what());
  } catch (...) {
    PyErr_SetString(PyExc_RuntimeError, "unknown error");
  }
  return failed;
}

// ---- host properties as descriptors ---------------------------------------
//
// `ax.Dimensions` reads through a HostProperty in the class: a data
// descriptor written against the C API that holds the property's name and
// goes straight to the host API, with no Python frame and no argument
// packing on the way. The wrapper's reference is read from its `_ref` slot.

// What both kinds of descriptor hold: the member's name and its doc.
struct Named {
  PyObject* name;    // str
  PyObject* doc;     // str or None
  char const* utf8;  // the name's UTF-8, owned by `name`
  Py_ssize_t size;

  std::string_view view() const { return {utf8, static_cast<std::size_t>(size)}; }
};

// A new descriptor of type T (a struct with `named` after its header).
template <class T>
T* makeNamed(PyTypeObject* type, PyObject* name, PyObject* doc) {
  Py_ssize_t size = 0;
  char const* utf8 = PyUnicode_AsUTF8AndSize(name, &size);
  if (!utf8) return nullptr;
  auto* d = reinterpret_cast<T*>(type->tp_alloc(type, 0));
  if (!d) return nullptr;
  d->named = {Py_NewRef(name), Py_NewRef(doc), utf8, size};
  return d;
}

void clearNamed(Named& n) {
  Py_CLEAR(n.name);
  Py_CLEAR(n.doc);
}

struct HostProperty {
  PyObject_HEAD
  Named named;
};

// The host object of wrapper `obj`, as `obj._ref` gives it.
quillon::Value const& refOfWrapper(PyObject* obj, py::object& keep) {
  if (quillon::Value const* v = wrapperValue(obj)) return *v;
  // Anything else takes the general road (and its errors: no `_ref`, not a host object).
  PyObject* attr = PyObject_GetAttrString(obj, "_ref");
  if (!attr) throw py::error_already_set();
  keep = py::reinterpret_steal<py::object>(attr);
  quillon::Value const* v = wrapperValue(attr);
  if (!v) raiseTypeError("expected a host object, got " + typeName(keep));
  return *v;
}

PyObject* hostPropertyGet(PyObject* self, PyObject* obj, PyObject*) {
  if (!obj) return Py_NewRef(self);
  auto* p = reinterpret_cast<HostProperty*>(self);
  return pythonSlot<PyObject*>(nullptr, [&] {
    py::object keep;
    quillon::Value const& ref = refOfWrapper(obj, keep);
    return fromHost(session().get(ref, p->named.view())).release().ptr();
  });
}

int hostPropertySet(PyObject* self, PyObject* obj, PyObject* value) {
  auto* p = reinterpret_cast<HostProperty*>(self);
  if (!value) {
    PyErr_Format(PyExc_AttributeError, "cannot delete host property '%U'", p->named.name);
    return -1;
  }
  return pythonSlot<int>(-1, [&] {
    py::object keep;
    quillon::Value const& ref = refOfWrapper(obj, keep);
    session().set(ref, p->named.view(), toHost(value));
    return 0;
  });
}

PyObject* hostPropertyNew(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  static char const* keywords[] = {"name", "doc", nullptr};
  PyObject* name = nullptr;
  PyObject* doc = Py_None;
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "U|O:HostProperty", const_cast<char**>(keywords), &name, &doc))
    return nullptr;
  return reinterpret_cast<PyObject*>(makeNamed<HostProperty>(type, name, doc));
}

void hostPropertyDealloc(PyObject* self) {
  auto* p = reinterpret_cast<HostProperty*>(self);
  PyTypeObject* type = Py_TYPE(self);
  clearNamed(p->named);
  type->tp_free(self);
  Py_DECREF(type);
}

// (No type doc: `__doc__` is each descriptor's own, the host's description.)
PyMemberDef hostPropertyMembers[] = {
    {"name", T_OBJECT, offsetof(HostProperty, named.name), READONLY, "The host property's name."},
    {"__doc__", T_OBJECT, offsetof(HostProperty, named.doc), READONLY, nullptr},
    {nullptr, 0, 0, 0, nullptr}};

PyType_Slot hostPropertySlots[] = {
    {Py_tp_new, reinterpret_cast<void*>(&hostPropertyNew)},
    {Py_tp_dealloc, reinterpret_cast<void*>(&hostPropertyDealloc)},
    {Py_tp_descr_get, reinterpret_cast<void*>(&hostPropertyGet)},
    {Py_tp_descr_set, reinterpret_cast<void*>(&hostPropertySet)},
    {Py_tp_members, hostPropertyMembers},
    {0, nullptr}};

PyType_Spec hostPropertyType = {"quillon._quillon.HostProperty", sizeof(HostProperty), 0, Py_TPFLAGS_DEFAULT,
                                hostPropertySlots};

// ---- host methods as descriptors -------------------------------------------
//
// `ax.method(...)` calls through a HostMethod in the class: a method
// descriptor (so Python calls it with the object first, binding nothing)
// whose vectorcall converts the arguments and calls the host API directly.
// Through the class it gives the class-level callable it was made with.

struct HostMethod {
  PyObject_HEAD
  Named named;
  PyObject* onClass;  // what Class.method is
  vectorcallfunc vectorcall;
};

PyObject* hostMethodCall(PyObject* self, PyObject* const* args, std::size_t nargsf, PyObject* kwnames) {
  auto* m = reinterpret_cast<HostMethod*>(self);
  Py_ssize_t const n = PyVectorcall_NARGS(nargsf);
  if (kwnames && PyTuple_GET_SIZE(kwnames) > 0) {
    PyErr_Format(PyExc_TypeError, "%U() takes no keyword arguments", m->named.name);
    return nullptr;
  }
  if (n < 1) {
    PyErr_Format(PyExc_TypeError, "%U() needs the host object it is called on", m->named.name);
    return nullptr;
  }
  return pythonSlot<PyObject*>(nullptr, [&] {
    py::object keep;
    quillon::Value const& ref = refOfWrapper(args[0], keep);
    std::vector<quillon::Value> values;
    values.reserve(static_cast<std::size_t>(n - 1));
    for (Py_ssize_t i = 1; i < n; ++i) values.push_back(toHost(args[i]));
    return fromHost(session().invoke(ref, m->named.view(), values))
        .release()
        .ptr();
  });
}

PyObject* hostMethodGet(PyObject* self, PyObject* obj, PyObject*) {
  if (!obj) return Py_NewRef(reinterpret_cast<HostMethod*>(self)->onClass);
  return PyMethod_New(self, obj);
}

PyObject* hostMethodNew(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  static char const* keywords[] = {"name", "doc", "on_class", nullptr};
  PyObject* name = nullptr;
  PyObject* doc = nullptr;
  PyObject* onClass = nullptr;
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "UOO:HostMethod", const_cast<char**>(keywords), &name, &doc,
                                   &onClass))
    return nullptr;
  HostMethod* const m = makeNamed<HostMethod>(type, name, doc);
  if (!m) return nullptr;
  m->onClass = Py_NewRef(onClass);
  m->vectorcall = &hostMethodCall;
  return reinterpret_cast<PyObject*>(m);
}

void hostMethodDealloc(PyObject* self) {
  auto* m = reinterpret_cast<HostMethod*>(self);
  PyTypeObject* type = Py_TYPE(self);
  PyObject_GC_UnTrack(self);
  clearNamed(m->named);
  Py_CLEAR(m->onClass);
  type->tp_free(self);
  Py_DECREF(type);
}

// The class-level callable may refer back to the class: collectable.
int hostMethodTraverse(PyObject* self, visitproc visit, void* arg) {
  Py_VISIT(reinterpret_cast<HostMethod*>(self)->onClass);
  Py_VISIT(Py_TYPE(self));
  return 0;
}

int hostMethodClear(PyObject* self) {
  Py_CLEAR(reinterpret_cast<HostMethod*>(self)->onClass);
  return 0;
}

PyObject* hostMethodName(PyObject* self, void*) { return Py_NewRef(reinterpret_cast<HostMethod*>(self)->named.name); }

PyMemberDef hostMethodMembers[] = {
    {"__doc__", T_OBJECT, offsetof(HostMethod, named.doc), READONLY, nullptr},
    {"__vectorcalloffset__", T_PYSSIZET, offsetof(HostMethod, vectorcall), READONLY, nullptr},
    {nullptr, 0, 0, 0, nullptr}};

PyGetSetDef hostMethodGetSet[] = {{"__name__", &hostMethodName, nullptr, nullptr, nullptr},
                                  {nullptr, nullptr, nullptr, nullptr, nullptr}};

PyType_Slot hostMethodSlots[] = {
    {Py_tp_new, reinterpret_cast<void*>(&hostMethodNew)},
    {Py_tp_dealloc, reinterpret_cast<void*>(&hostMethodDealloc)},
    {Py_tp_traverse, reinterpret_cast<void*>(&hostMethodTraverse)},
    {Py_tp_clear, reinterpret_cast<void*>(&hostMethodClear)},
    {Py_tp_descr_get, reinterpret_cast<void*>(&hostMethodGet)},
    {Py_tp_call, reinterpret_cast<void*>(&PyVectorcall_Call)},
    {Py_tp_members, hostMethodMembers},
    {Py_tp_getset, hostMethodGetSet},
    {0, nullptr}};

PyType_Spec hostMethodType = {
    "quillon._quillon.HostMethod", sizeof(HostMethod), 0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_GC | Py_TPFLAGS_METHOD_DESCRIPTOR | Py_TPFLAGS_HAVE_VECTORCALL,
    hostMethodSlots};

// ---- descriptions ---------------------------------------------------------

py::object optionalOrNone(std::optional<std::string_view> const& s) {
  return s ? py::object(py::str(s->data(), s->size())) : py::object(py::none());
}

}  // namespace

PYBIND11_MODULE(_quillon, m) {
  m.doc() = "Compiled core of the quillon Python front end (use the quillon package).";

  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (ConversionError const& e) {
      setConversionError(e);
    } catch (quillon::Error const& e) {
      setHostError(e);
    }
  });

  // The package's classes and caches live as long as the process: importing
  // quillon again after it left sys.modules gives the first package back (this
  // module's state is never re-initialised), so older objects stay usable.
  m.def(
      "_set_hooks",
      [](py::module_ package, py::object classFor, py::object hostError, py::object argumentError) {
        if (gHooks.package) throw std::logic_error("the quillon package is already set up");
        gHooks.classFor = classFor.release().ptr();
        gHooks.hostError = hostError.release().ptr();
        gHooks.argumentError = argumentError.release().ptr();
        gHooks.package = package.release().ptr();
      },
      py::arg("package"), py::arg("class_for"), py::arg("host_error"), py::arg("argument_error"));
  m.def(
      "_package",
      [] { return gHooks.package ? py::reinterpret_borrow<py::object>(gHooks.package) : py::object(py::none()); },
      "The quillon package set up by the first import, or None.");

  PyObject* wrapper = PyType_FromSpec(&wrapperTypeSpec);
  if (!wrapper) throw py::error_already_set();
  gWrapperType = reinterpret_cast<PyTypeObject*>(wrapper);
  m.add_object("Wrapper", py::reinterpret_borrow<py::object>(wrapper));  // gWrapperType keeps one reference
  PyObject* hostProperty = PyType_FromSpec(&hostPropertyType);
  if (!hostProperty) throw py::error_already_set();
  m.add_object("HostProperty", py::reinterpret_steal<py::object>(hostProperty));
  PyObject* hostMethod = PyType_FromSpec(&hostMethodType);
  if (!hostMethod) throw py::error_already_set();
  m.add_object("HostMethod", py::reinterpret_steal<py::object>(hostMethod));

  py::class_<quillon::MethodDesc>(m, "MethodDesc")
      .def_readonly("name", &quillon::MethodDesc::name)
      .def_readonly("kind", &quillon::MethodDesc::kind)
      .def_readonly("attributes", &quillon::MethodDesc::attributes)
      .def_readonly("flags", &quillon::MethodDesc::flags)
      .def_readonly("argument_names", &quillon::MethodDesc::argumentNames)
      .def_readonly("result", &quillon::MethodDesc::result)
      .def_property_readonly("self", [](quillon::MethodDesc const& d) { return optionalOrNone(d.self); })
      .def_readonly("arguments", &quillon::MethodDesc::arguments)
      .def_readonly("description", &quillon::MethodDesc::description)
      .def_readonly("declared_in", &quillon::MethodDesc::declaredIn)
      .def_property_readonly("signature", &quillon::MethodDesc::signatureText);

  py::class_<quillon::PropertyDesc>(m, "PropertyDesc")
      .def_readonly("name", &quillon::PropertyDesc::name)
      .def_readonly("type", &quillon::PropertyDesc::type)
      .def_readonly("multiplicity", &quillon::PropertyDesc::multiplicity)
      .def_readonly("read_only", &quillon::PropertyDesc::readOnly)
      .def_readonly("attributes", &quillon::PropertyDesc::attributes)
      .def_readonly("index", &quillon::PropertyDesc::index)
      .def_readonly("is_static", &quillon::PropertyDesc::isStatic)
      .def_readonly("declared_in", &quillon::PropertyDesc::declaredIn);

  py::class_<quillon::MetaPropertyDesc>(m, "MetaPropertyDesc")
      .def_readonly("name", &quillon::MetaPropertyDesc::name)
      .def_readonly("id", &quillon::MetaPropertyDesc::id)
      .def_readonly("declared_by", &quillon::MetaPropertyDesc::declaredBy);

  py::class_<quillon::ClassDesc>(m, "ClassDesc")
      .def_readonly("name", &quillon::ClassDesc::name)
      .def_readonly("short_name", &quillon::ClassDesc::shortName)
      .def_readonly("description", &quillon::ClassDesc::description)
      .def_readonly("superclasses", &quillon::ClassDesc::superclasses)
      .def_readonly("methods", &quillon::ClassDesc::methods)
      .def_readonly("properties", &quillon::ClassDesc::properties)
      .def_readonly("meta_properties", &quillon::ClassDesc::metaProperties);

  py::class_<quillon::PackageDesc>(m, "PackageDesc")
      .def_readonly("name", &quillon::PackageDesc::name)
      .def_readonly("classes", &quillon::PackageDesc::classes)
      .def_readonly("functions", &quillon::PackageDesc::functions);

  using H = quillon::Host;
  py::class_<H>(m, "Host", "A session on the process-wide host runtime.")
      .def(py::init<>())
      .def("load", &H::load)
      .def("add_module_directory", &H::addModuleDirectory)
      .def("has_class", &H::hasClass)
      .def("has_package", &H::hasPackage)
      .def("describe_package", &H::describePackage)
      .def("describe_class", &H::describeClass)
      .def("methods", &H::methods)
      .def("all_properties", &H::allProperties)
      .def("member_names", &H::memberNames)
      .def("call",
           [](H const& h, std::string_view cls, std::string_view method, py::tuple const& args) {
             return fromHost(h.call(cls, method, argsToHost(args)));
           })
      .def("call_function",
           [](H const& h, std::string_view pkg, std::string_view fn, py::tuple const& args) {
             return fromHost(h.callFunction(pkg, fn, argsToHost(args)));
           })
      .def("construct",
           [](H const& h, std::string_view cls, py::tuple const& args) {
             return fromHost(h.construct(cls, argsToHost(args)));
           })
      .def("invoke",
           [](H const& h, py::handle obj, std::string_view method, py::tuple const& args) {
             quillon::Value self = refArg(obj);
             return fromHost(h.invoke(self, method, argsToHost(args)));
           })
      .def("get",
           [](H const& h, py::handle obj, std::string_view prop) {
             return fromHost(h.get(refArg(obj), prop));
           })
      .def("get_static",
           [](H const& h, std::string_view cls, std::string_view prop) {
             return fromHost(h.getStatic(cls, prop));
           })
      .def("set",
           [](H const& h, py::handle obj, std::string_view prop, py::handle value) {
             quillon::Value self = refArg(obj);
             h.set(self, prop, toHost(value));
           })
      .def("class_of", [](H const& h, py::handle obj) { return h.classOf(refArg(obj)); })
      .def("counters", [](H const& h) {
        py::dict out;
        for (auto const& [name, count] : h.counters()) out[py::str(name)] = count;
        return out;
      });

  m.def(
      "_time_host_get",
      [](py::handle obj, std::string const& prop, std::size_t reads) {
        // The same read as `obj.<prop>`, made `reads` times through the C++
        // host API alone, without Python in the loop: seconds in all.
        quillon::Host const host;
        quillon::Value const self = refArg(obj);
        auto const start = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < reads; ++i) {
          quillon::Value const v = host.get(self, prop);
          if (v.numel() != 1) throw quillon::Error("unexpected result");
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      },
      py::arg("obj"), py::arg("prop"), py::arg("reads"),
      "Benchmark aid: time `reads` reads of a property through the C++ host API.");

  m.def(
      "_model_key",
      [](py::handle obj) -> std::uintptr_t { return refArg(obj).objectKey(); },
      py::arg("obj"), "The identity of the object behind a host object: one for every view of a model object.");

  m.def("_roundtrip", [](py::handle v) { return fromHost(toHost(v)); },
        "Convert a Python value to a host value and back (what every call does to its arguments).");
}
