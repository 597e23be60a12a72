#include "Wrapper.hpp"

#include "Conversions.hpp"
#include "Errors.hpp"
#include "Session.hpp"

#include <kovo/OpenTable.hpp>

#include <structmember.h>

#include <cstddef>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

namespace quillon::pyext {
namespace {

// Each wrapper is found from its host object, which keeps the wrapper's
// address in its front word (set by wrap, cleared by the wrapper's dealloc,
// both under the GIL): wrapping an object again reads one word, whatever the
// number of live wrappers.
PyObject* liveWrapper(quillon::Value const& v) { return static_cast<PyObject*>(v.frontWord()); }

// The Python class of each host class met so far, by the address of the host
// class's name (one view per class for the life of the process). Filled from
// the package's class_for hook, whose classes are kept for the life of the
// process too; each entry holds a strong reference, never dropped.
struct ClassEntry {
  char const* name = nullptr;
  PyObject* cls = nullptr;
};
struct ClassTraits {
  static std::uintptr_t key(ClassEntry const& e) { return reinterpret_cast<std::uintptr_t>(e.name); }
  static bool isFree(ClassEntry const& e) { return e.name == nullptr; }
};

kovo::OpenTable<ClassEntry, ClassTraits>& pythonClasses() {
  static auto* table = new kovo::OpenTable<ClassEntry, ClassTraits>();
  return *table;
}

// The Python class for host class `name` (a view from Value::objectClassName).
py::object pythonClassFor(std::string_view name) {
  auto& table = pythonClasses();
  if (ClassEntry const* e = table.find(reinterpret_cast<std::uintptr_t>(name.data())))
    return py::reinterpret_borrow<py::object>(e->cls);
  py::object cls = py::reinterpret_borrow<py::object>(gHooks.classFor)(py::str(name.data(), name.size()));
  if (!PyType_Check(cls.ptr()) || !PyType_IsSubtype(reinterpret_cast<PyTypeObject*>(cls.ptr()), gWrapperType))
    throw std::logic_error("a host class's Python class is not a quillon.Object");
  // Python code ran: another thread may have entered it meanwhile.
  if (!table.find(reinterpret_cast<std::uintptr_t>(name.data()))) table.insert(ClassEntry{name.data(), Py_NewRef(cls.ptr())});
  return cls;
}

void wrapperDealloc(PyObject* self) {
  auto* w = reinterpret_cast<Wrapper*>(self);
  PyTypeObject* type = Py_TYPE(self);
  if (w->identity) {
    // Only this wrapper's word: a wrapper that lost the race in wrap (see
    // there) must not clear the winner's.
    if (w->value().frontWord() == self) w->value().setFrontWord(nullptr);
  }
  // After the word is cleared: a weak reference's callback that wraps the
  // same host object again gets a new wrapper, never this one.
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

// The host values of a call's arguments: inline for the usual handful, in
// a vector past that. Values are added one by one, so a conversion that
// fails leaves only whole values to release.
class HostArguments {
 public:
  explicit HostArguments(std::size_t count) {
    if (count > kInline) fHeap.reserve(count);
  }
  ~HostArguments() {
    for (std::size_t i = 0; i < fInlineCount; ++i) inlineAt(i)->~Value();
  }
  HostArguments(HostArguments const&) = delete;
  HostArguments& operator=(HostArguments const&) = delete;

  void add(quillon::Value v) {
    if (fHeap.capacity() > 0) {
      fHeap.push_back(std::move(v));
    } else {
      ::new (inlineAt(fInlineCount)) quillon::Value(std::move(v));
      ++fInlineCount;
    }
  }
  quillon::Value const* data() const { return fHeap.capacity() > 0 ? fHeap.data() : inlineAt(0); }
  std::size_t size() const { return fHeap.capacity() > 0 ? fHeap.size() : fInlineCount; }

 private:
  static constexpr std::size_t kInline = 6;
  quillon::Value* inlineAt(std::size_t i) const {
    return std::launder(reinterpret_cast<quillon::Value*>(const_cast<unsigned char*>(fInline))) + i;
  }

  alignas(quillon::Value) unsigned char fInline[kInline * sizeof(quillon::Value)];
  std::size_t fInlineCount = 0;
  std::vector<quillon::Value> fHeap;
};

// Calling a host class constructs a host object: straight from the class to
// the host API, with no Python frame and no argument tuple in between. Only a
// class made for a host class (its own `_host_name`) constructs;
// quillon.Object and Python subclasses of host classes are abstract.
PyObject* constructFrom(PyObject* cls, PyObject* const* args, std::size_t count) {
  static PyObject* const hostNameKey = PyUnicode_InternFromString("_host_name");
  if (!hostNameKey) return nullptr;
  PyObject* const name = PyDict_GetItemWithError(reinterpret_cast<PyTypeObject*>(cls)->tp_dict, hostNameKey);
  if (!name && PyErr_Occurred()) return nullptr;
  if (!name || name == Py_None) {
    PyErr_SetString(PyExc_TypeError, "quillon.Object is abstract: call a host class");
    return nullptr;
  }
  Py_ssize_t size = 0;
  char const* const text = PyUnicode_AsUTF8AndSize(name, &size);
  if (!text) return nullptr;
  return pythonSlot<PyObject*>(nullptr, [&] {
    HostArguments values(count);
    for (std::size_t i = 0; i < count; ++i) values.add(toHost(args[i]));
    return fromHost(session().construct(std::string_view(text, static_cast<std::size_t>(size)), values.data(),
                                        values.size()))
        .release()
        .ptr();
  });
}

PyObject* refuseKeyword(PyObject* key) {
  PyErr_Format(PyExc_TypeError, "HostClass.__call__() got an unexpected keyword argument '%U'", key);
  return nullptr;
}

// The call of a class through the vectorcall protocol (every call from
// Python code)...
PyObject* hostTypeVectorcall(PyObject* cls, PyObject* const* args, std::size_t nargsf, PyObject* kwnames) {
  if (kwnames && PyTuple_GET_SIZE(kwnames) > 0) return refuseKeyword(PyTuple_GET_ITEM(kwnames, 0));
  return constructFrom(cls, args, static_cast<std::size_t>(PyVectorcall_NARGS(nargsf)));
}

// ... and with a tuple and a dictionary (PyObject_Call and the like).
PyObject* hostTypeCall(PyObject* cls, PyObject* args, PyObject* kwargs) {
  if (kwargs && PyDict_Size(kwargs) > 0) {
    PyObject* key = nullptr;
    PyObject* value = nullptr;
    Py_ssize_t pos = 0;
    PyDict_Next(kwargs, &pos, &key, &value);
    return refuseKeyword(key);
  }
  return constructFrom(cls, reinterpret_cast<PyTupleObject*>(args)->ob_item,
                       static_cast<std::size_t>(PyTuple_GET_SIZE(args)));
}

// Every class the metatype makes is called through hostTypeVectorcall. A
// Python subclass of the metatype (quillon.HostClass) does not inherit the
// vectorcall flag (CPython passes it on to immutable types only): one that
// keeps this call and the slot's place gets the flag when it first makes a
// class.
PyObject* hostTypeNew(PyTypeObject* meta, PyObject* args, PyObject* kwargs) {
  PyObject* const made = PyType_Type.tp_new(meta, args, kwargs);
  if (!made) return nullptr;
  reinterpret_cast<PyTypeObject*>(made)->tp_vectorcall = &hostTypeVectorcall;
  if (meta->tp_call == &hostTypeCall && meta->tp_vectorcall_offset == offsetof(PyTypeObject, tp_vectorcall))
    meta->tp_flags |= Py_TPFLAGS_HAVE_VECTORCALL;
  return made;
}

PyMemberDef hostTypeMembers[] = {
    {"__vectorcalloffset__", T_PYSSIZET, offsetof(PyTypeObject, tp_vectorcall), READONLY, nullptr},
    {nullptr, 0, 0, 0, nullptr}};

PyType_Slot hostTypeSlots[] = {{Py_tp_call, reinterpret_cast<void*>(&hostTypeCall)},
                               {Py_tp_new, reinterpret_cast<void*>(&hostTypeNew)},
                               {Py_tp_members, hostTypeMembers},
                               {0, nullptr}};

// A metatype: its size and everything but the call come from `type`.
PyType_Spec hostTypeSpec = {"quillon._quillon.HostType", 0, 0,
                            Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE | Py_TPFLAGS_HAVE_VECTORCALL, hostTypeSlots};

}  // namespace

PyObject* makeHostTypeType() {
  return PyType_FromSpecWithBases(&hostTypeSpec, reinterpret_cast<PyObject*>(&PyType_Type));
}

PyObject* makeWrapperType() {
  PyObject* const type = PyType_FromSpec(&wrapperTypeSpec);
  if (type) gWrapperType = reinterpret_cast<PyTypeObject*>(type);
  return type;
}

py::object wrap(quillon::Value v) {
  std::uintptr_t const id = v.identity();
  if (id == 0) throw std::logic_error("a host object value without an object");
  if (PyObject* w = liveWrapper(v)) return py::reinterpret_borrow<py::object>(w);
  py::object cls = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(gWrapperType));
  if (gHooks.classFor) {
    cls = pythonClassFor(v.objectClassName());
    // Python code may have run (and let another thread run): look again.
    if (PyObject* w = liveWrapper(v)) return py::reinterpret_borrow<py::object>(w);
  }
  auto* type = reinterpret_cast<PyTypeObject*>(cls.ptr());
  PyObject* const made = type->tp_alloc(type, 0);
  if (!made) throw py::error_already_set();
  py::object obj = py::reinterpret_steal<py::object>(made);
  // Under the GIL, find-or-make is one step as long as no Python code runs
  // between the lookup and the setting of the word. Allocating may run a
  // collection (and finalizers) all the same, so the word is taken only if
  // still free; if not, that wrapper wins and this bare one goes.
  if (PyObject* w = liveWrapper(v)) return py::reinterpret_borrow<py::object>(w);
  auto* w = reinterpret_cast<Wrapper*>(made);
  ::new (w->storage) quillon::Value(std::move(v));
  w->identity = id;
  w->value().setFrontWord(made);
  return obj;
}

}  // namespace quillon::pyext
