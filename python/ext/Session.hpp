// What the extension keeps for the life of the process: the host session it
// forwards every call to, and the hooks the quillon package sets at import.
#pragma once

#include <quillon/host.hpp>

#include <pybind11/pybind11.h>

namespace quillon::pyext {

// Set once by the package at import. Kept as plain strong references that are
// never dropped: py::object statics would be destroyed after the interpreter.
struct Hooks {
  PyObject* classFor = nullptr;       // host class name -> its Python class
  PyObject* hostError = nullptr;      // quillon.HostError
  PyObject* argumentError = nullptr;  // quillon.ArgumentError (a HostError and a TypeError)
  PyObject* package = nullptr;        // the quillon package of the first import
};
inline Hooks gHooks;

inline quillon::Host const& session() {
  static quillon::Host const host;
  return host;
}

}  // namespace quillon::pyext
