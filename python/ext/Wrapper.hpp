// The Python objects that stand for host objects, one per live host object.
//
// Every Python object that stands for a host object is an instance of
// Wrapper (quillon.Object and the host classes derive from it, adding no
// fields). It holds its one host reference inline.
//
// One wrapper per live host object: the host object's front word holds its
// wrapper (borrowed). The wrapper's dealloc clears that word before it
// releases its reference, so the host object never leads to a dead wrapper.
#pragma once

#include <quillon/host.hpp>

#include <pybind11/pybind11.h>

#include <cstdint>
#include <new>

namespace quillon::pyext {

namespace py = pybind11;

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

inline PyTypeObject* gWrapperType = nullptr;  // _quillon.Wrapper

// Makes the type _quillon.Wrapper (a new reference) and sets gWrapperType.
PyObject* makeWrapperType();

// The host object of `obj` if it is a wrapper that has one.
inline quillon::Value const* wrapperValue(PyObject* obj) {
  if (!gWrapperType || !PyObject_TypeCheck(obj, gWrapperType)) return nullptr;
  auto* w = reinterpret_cast<Wrapper*>(obj);
  return w->identity ? &w->value() : nullptr;
}

// Makes the type _quillon.HostType (a new reference): the metatype whose
// call constructs a host object of the class called.
PyObject* makeHostTypeType();

// The wrapper of the host object in `v` (a 1-by-1 object array): the live
// one, or a new one of the Python class of its host class.
py::object wrap(quillon::Value v);

}  // namespace quillon::pyext
