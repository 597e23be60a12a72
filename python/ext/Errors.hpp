// Errors on their way to Python: a Python value with no host form becomes
// quillon.ArgumentError, a host error quillon.HostError (or ArgumentError when
// the host says an argument does not fit), anything else what pybind11 would
// raise for it.
#pragma once

#include <quillon/host.hpp>

#include <pybind11/pybind11.h>

#include <new>
#include <stdexcept>
#include <string>

namespace quillon::pyext {

namespace py = pybind11;

// A Python value with no host form, or arguments that fit no signature:
// raised as quillon.ArgumentError.
struct ConversionError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void raiseTypeError(std::string const& text);

// The Python type name of `h`, for error texts.
inline std::string typeName(py::handle h) { return Py_TYPE(h.ptr())->tp_name; }

void setConversionError(ConversionError const& e);
void setHostError(quillon::Error const& e);

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

}  // namespace quillon::pyext
