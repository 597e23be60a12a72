#include "Errors.hpp"

#include "Session.hpp"

#include <string_view>

namespace quillon::pyext {
namespace {

// Host errors that say an argument does not fit (rather than that the host or
// a module refused a well-formed request).
bool isArgumentError(std::string_view what) {
  return what.starts_with("No signature of ") ||
         (what.starts_with("Cannot set property ") && what.find("\": expected ") != std::string_view::npos);
}

}  // namespace

void raiseTypeError(std::string const& text) { throw ConversionError(text); }

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

}  // namespace quillon::pyext
