#include "Descriptors.hpp"

#include "Conversions.hpp"
#include "Errors.hpp"
#include "Session.hpp"

#include <structmember.h>

#include <cstddef>
#include <string_view>
#include <vector>

namespace quillon::pyext {
namespace {

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

// ---- host properties -------------------------------------------------------
//
// `ax.Dimensions` reads through a HostProperty in the class: a data
// descriptor that holds the property's name and goes straight to the host
// API, with no Python frame and no argument packing on the way. The
// wrapper's reference is read from its `_ref` slot.

struct HostProperty {
  PyObject_HEAD
  Named named;
};

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

// ---- host methods ----------------------------------------------------------
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

}  // namespace

PyObject* makeHostPropertyType() { return PyType_FromSpec(&hostPropertyType); }
PyObject* makeHostMethodType() { return PyType_FromSpec(&hostMethodType); }

}  // namespace quillon::pyext
