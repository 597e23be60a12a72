// Python values to host values and back. What every property read, write
// and call does to its values; the scalar cases are here, inline, so that
// a descriptor's read or write converts a number without a call, and the
// rest (text, sequences, arrays, objects) is in Conversions.cpp.
#pragma once

#include "Errors.hpp"
#include "Wrapper.hpp"

#include <quillon/host.hpp>

#include <pybind11/pybind11.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace quillon::pyext {

namespace py = pybind11;

// ---- Python -> host -------------------------------------------------------

// An int as a host number: int32 when it fits, a double otherwise; one beyond
// the double range has no host form.
struct IntValue {
  double number;
  std::optional<std::int32_t> int32;
};

inline bool isInt32(long long v) { return v >= INT32_MIN && v <= INT32_MAX; }

// The general road of intValue: an int beyond int32.
IntValue wideIntValue(PyObject* p);

inline IntValue intValue(PyObject* p) {
  // PyLong_* read the int itself: a subclass's __index__ or __float__ never runs.
  int overflow = 0;
  long long const v = PyLong_AsLongLongAndOverflow(p, &overflow);
  if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
  if (!overflow && isInt32(v)) return {static_cast<double>(v), static_cast<std::int32_t>(v)};
  return wideIntValue(p);
}

quillon::Value textToHost(py::handle h);
quillon::Value sequenceToHost(py::handle h);

// The general road of refOf: an object that is not a wrapper by type.
std::optional<quillon::Value> refOfOther(py::handle h);

// The host object behind a wrapper. A copy: it holds its own reference,
// whatever Python code does to the wrapper meanwhile. A wrapper made by hand,
// without its host object, stands for nothing.
inline std::optional<quillon::Value> refOf(py::handle h) {
  if (quillon::Value const* v = wrapperValue(h.ptr())) return *v;
  return refOfOther(h);
}

inline quillon::Value toHost(py::handle h) {
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

std::vector<quillon::Value> argsToHost(py::tuple const& args);

// The host object of `h`; a clear error for anything else.
quillon::Value refArg(py::handle h);

// The host object of wrapper `obj`, as `obj._ref` gives it. `keep` holds
// what the reference lives in when it is not `obj` itself.
quillon::Value const& refOfOtherWrapper(PyObject* obj, py::object& keep);

inline quillon::Value const& refOfWrapper(PyObject* obj, py::object& keep) {
  if (quillon::Value const* v = wrapperValue(obj)) return *v;
  return refOfOtherWrapper(obj, keep);
}

// ---- host -> Python -------------------------------------------------------

py::object textFromHost(quillon::Value const& v);
py::object arrayFromHost(quillon::Value const& v);

// Element `i` of a number, logical or object array.
inline py::object element(quillon::Value const& v, std::size_t i) {
  switch (v.type()) {
    case quillon::Value::Type::Double: return py::float_(v.toDouble(i));
    case quillon::Value::Type::Int32: return py::int_(v.toInt32(i));
    case quillon::Value::Type::Logical: return py::bool_(v.toBool(i));
    case quillon::Value::Type::Object: return wrap(v.element(i));
    case quillon::Value::Type::Char: break;
  }
  throw std::logic_error("character arrays are converted whole");
}

inline py::object fromHost(quillon::Value const& v) {
  if (v.type() == quillon::Value::Type::Char) return textFromHost(v);
  std::size_t const n = v.numel();
  if (n == 0) return py::none();
  if (n == 1) return v.type() == quillon::Value::Type::Object ? wrap(v) : element(v, 0);
  return arrayFromHost(v);
}

}  // namespace quillon::pyext
