// Host properties and methods as members of the Python classes: data and
// method descriptors written against the C API, the shortest road from
// `obj.Name` or `obj.name(...)` to the host API.
#pragma once

#include <pybind11/pybind11.h>

namespace quillon::pyext {

// The types _quillon.HostProperty and _quillon.HostMethod (new references).
PyObject* makeHostPropertyType();
PyObject* makeHostMethodType();

}  // namespace quillon::pyext
