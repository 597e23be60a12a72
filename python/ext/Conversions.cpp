#include "Conversions.hpp"

#include <bit>
#include <string>

namespace quillon::pyext {
namespace {

// Host text is native-order UTF-16. Neither direction reads a byte-order
// mark, so a leading U+FEFF or U+FFFE is text like any other.
constexpr bool kLittleEndian = std::endian::native == std::endian::little;

// Lone surrogates pass through: host text is UTF-16, so any Python str
// survives the round trip unchanged. Read straight from the string's own
// storage (one, two or four bytes a code point): a code point past U+FFFF
// becomes a surrogate pair, any other (a lone surrogate too) one unit.
void appendText(PyObject* str, std::u16string& out) {
#if PY_VERSION_HEX < 0x030C0000
  if (PyUnicode_READY(str) < 0) throw py::error_already_set();
#endif
  auto const n = static_cast<std::size_t>(PyUnicode_GET_LENGTH(str));
  void const* const data = PyUnicode_DATA(str);
  switch (PyUnicode_KIND(str)) {
    case PyUnicode_1BYTE_KIND: {
      auto const* const p = static_cast<Py_UCS1 const*>(data);
      out.append(p, p + n);
      break;
    }
    case PyUnicode_2BYTE_KIND:
      out.append(static_cast<char16_t const*>(data), n);
      break;
    default: {
      auto const* const p = static_cast<Py_UCS4 const*>(data);
      out.reserve(out.size() + n);
      for (std::size_t i = 0; i < n; ++i) {
        Py_UCS4 const c = p[i];
        if (c < 0x10000) {
          out.push_back(static_cast<char16_t>(c));
        } else {
          out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
          out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
      }
    }
  }
}

}  // namespace

// ---- Python -> host -------------------------------------------------------

IntValue wideIntValue(PyObject* p) {
  double const d = PyLong_AsDouble(p);
  if (d == -1.0 && PyErr_Occurred()) {
    PyErr_Clear();
    raiseTypeError("int too large to convert to a host value");
  }
  return {d, std::nullopt};
}

quillon::Value textToHost(py::handle h) {
  std::u16string text;
  appendText(h.ptr(), text);
  return quillon::Value(std::u16string_view(text));
}

std::optional<quillon::Value> refOfOther(py::handle h) {
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

std::vector<quillon::Value> argsToHost(py::tuple const& args) {
  std::vector<quillon::Value> out;
  out.reserve(args.size());
  for (py::handle a : args) out.push_back(toHost(a));
  return out;
}

quillon::Value refArg(py::handle h) {
  if (auto r = refOf(h)) return std::move(*r);
  raiseTypeError("expected a host object, got " + typeName(h));
}

quillon::Value const& refOfOtherWrapper(PyObject* obj, py::object& keep) {
  // Anything but a wrapper with its host object takes the general road (and
  // its errors: no `_ref`, not a host object).
  PyObject* attr = PyObject_GetAttrString(obj, "_ref");
  if (!attr) throw py::error_already_set();
  keep = py::reinterpret_steal<py::object>(attr);
  quillon::Value const* v = wrapperValue(attr);
  if (!v) raiseTypeError("expected a host object, got " + typeName(keep));
  return *v;
}

// ---- host -> Python -------------------------------------------------------

py::object textFromHost(quillon::Value const& v) {
  std::u16string text = v.toU16String();
  // A given byte order: the decoder then keeps a leading U+FEFF as text.
  int byteOrder = kLittleEndian ? -1 : 1;
  PyObject* s = PyUnicode_DecodeUTF16(reinterpret_cast<char const*>(text.data()),
                                      static_cast<Py_ssize_t>(text.size() * 2), "surrogatepass", &byteOrder);
  if (!s) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(s);
}

py::object arrayFromHost(quillon::Value const& v) {
  std::size_t const n = v.numel();
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

}  // namespace quillon::pyext
