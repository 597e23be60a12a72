#include "Wrapper.hpp"

#include "Session.hpp"

#include <kovo/OpenTable.hpp>

#include <structmember.h>

#include <stdexcept>
#include <utility>

namespace quillon::pyext {
namespace {

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

PyObject* liveWrapper(std::uintptr_t id) {
  PyObject** const entry = live().find(id);
  return entry ? *entry : nullptr;
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

}  // namespace

PyObject* makeWrapperType() {
  PyObject* const type = PyType_FromSpec(&wrapperTypeSpec);
  if (type) gWrapperType = reinterpret_cast<PyTypeObject*>(type);
  return type;
}

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

}  // namespace quillon::pyext
