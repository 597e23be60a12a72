// _quillon: the compiled half of the Python front end. It converts Python
// values to host values and back, and forwards every call to the public host
// API. Everything about classes (members, protocols, identity of wrappers)
// lives in the pure-Python package on top.
//
// The GIL stays held during host calls on purpose: the host runtime serves one
// thread at a time, and the GIL is what serialises Python threads for it.
#include <quillon/host.hpp>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace py = pybind11;

namespace {

// One host reference: a 1-by-1 object array. The Python wrapper of a host
// object owns exactly one Ref; dropping the wrapper releases the reference.
struct Ref {
  quillon::Value value;
};

// Set once by the package at import. Kept as plain strong references that are
// never dropped: py::object statics would be destroyed after the interpreter.
struct Hooks {
  PyObject* wrap = nullptr;        // Ref -> Python wrapper (identity-preserving)
  PyObject* objectBase = nullptr;  // quillon.Object: wrappers carry a Ref in _ref
  PyObject* hostError = nullptr;   // quillon.HostError
};
Hooks gHooks;

[[noreturn]] void raiseTypeError(std::string const& text) { throw py::type_error(text); }

std::string typeName(py::handle h) { return Py_TYPE(h.ptr())->tp_name; }

// ---- Python -> host -------------------------------------------------------

quillon::Value textToHost(py::handle h) {
  // UTF-16 with lone surrogates passed through: host text is UTF-16, so any
  // Python str survives the round trip unchanged.
  PyObject* bytes = PyUnicode_AsEncodedString(h.ptr(), "utf-16-le", "surrogatepass");
  if (!bytes) throw py::error_already_set();
  py::object owner = py::reinterpret_steal<py::object>(bytes);
  auto const* data = reinterpret_cast<char16_t const*>(PyBytes_AS_STRING(bytes));
  std::size_t n = static_cast<std::size_t>(PyBytes_GET_SIZE(bytes)) / 2;
  return quillon::Value(std::u16string_view(data, n));
}

// The host object behind a wrapper (or a bare Ref). A copy: it holds its own
// reference, whatever Python code does to the wrapper meanwhile.
std::optional<quillon::Value> refOf(py::handle h) {
  if (py::isinstance<Ref>(h)) return h.cast<Ref const&>().value;
  if (gHooks.objectBase && PyObject_IsInstance(h.ptr(), gHooks.objectBase) == 1) {
    py::object r = py::getattr(h, "_ref", py::none());
    if (py::isinstance<Ref>(r)) return r.cast<Ref const&>().value;
  }
  return std::nullopt;
}

bool isInt32(long long v) { return v >= INT32_MIN && v <= INT32_MAX; }

// An int that does not fit int32 becomes a double; one beyond double has no
// host form.
quillon::Value intToHost(py::handle h) {
  int overflow = 0;
  long long v = PyLong_AsLongLongAndOverflow(h.ptr(), &overflow);
  if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
  if (!overflow && isInt32(v)) return quillon::Value::int32(static_cast<std::int32_t>(v));
  double d = PyLong_AsDouble(h.ptr());
  if (d == -1.0 && PyErr_Occurred()) {
    PyErr_Clear();
    raiseTypeError("int too large to convert to a host value");
  }
  return quillon::Value(d);
}

quillon::Value sequenceToHost(py::handle h) {
  py::sequence seq = py::reinterpret_borrow<py::sequence>(h);
  std::size_t const n = seq.size();
  if (n == 0) return quillon::Value();
  enum Kind { Logical = 1, Int = 2, Float = 4, Char = 8, Object = 16 };
  unsigned kinds = 0;
  for (py::handle item : seq) {
    PyObject* p = item.ptr();
    if (PyBool_Check(p)) kinds |= Logical;
    else if (PyLong_Check(p)) kinds |= Int;
    else if (PyFloat_Check(p)) kinds |= Float;
    else if (PyUnicode_Check(p) && PyUnicode_GET_LENGTH(p) == 1) kinds |= Char;
    else if (refOf(item)) kinds |= Object;
    else
      raiseTypeError("cannot convert " + typeName(h) + " element of type " + typeName(item) +
                     " to a host value");
  }
  if (kinds == Logical) {
    std::vector<bool> v;
    v.reserve(n);
    for (py::handle item : seq) v.push_back(item.ptr() == Py_True);
    return quillon::Value::logicals(v);
  }
  if ((kinds & ~unsigned(Logical | Int | Float)) == 0) {
    // Numbers (logicals among numbers count as 0/1): int32 when every one
    // fits, doubles otherwise.
    bool allInt32 = (kinds & Float) == 0;
    std::vector<long long> ints;
    if (allInt32) {
      for (py::handle item : seq) {
        int overflow = 0;
        long long v = PyLong_AsLongLongAndOverflow(item.ptr(), &overflow);
        if (overflow || !isInt32(v)) {
          allInt32 = false;
          break;
        }
        ints.push_back(v);
      }
    }
    if (allInt32) return quillon::Value::int32s(std::vector<std::int32_t>(ints.begin(), ints.end()));
    std::vector<double> v;
    v.reserve(n);
    for (py::handle item : seq) {
      double d = PyFloat_AsDouble(item.ptr());
      if (d == -1.0 && PyErr_Occurred()) {
        PyErr_Clear();
        raiseTypeError("int too large to convert to a host value");
      }
      v.push_back(d);
    }
    return quillon::Value::doubles(v);
  }
  if (kinds == Char) {
    py::str joined = py::str("").attr("join")(seq);
    return textToHost(joined);
  }
  if (kinds == Object) {
    std::vector<quillon::Value> v;
    v.reserve(n);
    for (py::handle item : seq) v.push_back(*refOf(item));
    return quillon::Value::objects(v);
  }
  raiseTypeError("cannot convert " + typeName(h) +
                 " mixing numbers, characters and objects to a host value");
}

quillon::Value toHost(py::handle h) {
  PyObject* p = h.ptr();
  if (p == Py_None) return quillon::Value();
  if (PyBool_Check(p)) return quillon::Value::logical(p == Py_True);
  if (PyLong_Check(p)) return intToHost(h);
  if (PyFloat_Check(p)) return quillon::Value(PyFloat_AS_DOUBLE(p));
  if (PyUnicode_Check(p)) return textToHost(h);
  if (auto r = refOf(h)) return std::move(*r);
  if (PyList_Check(p) || PyTuple_Check(p)) return sequenceToHost(h);
  raiseTypeError("cannot convert " + typeName(h) + " to a host value");
}

std::vector<quillon::Value> argsToHost(py::tuple const& args) {
  std::vector<quillon::Value> out;
  out.reserve(args.size());
  for (py::handle a : args) out.push_back(toHost(a));
  return out;
}

// ---- host -> Python -------------------------------------------------------

py::object wrap(quillon::Value v) {
  if (!gHooks.wrap) return py::cast(Ref{std::move(v)});
  return py::reinterpret_borrow<py::object>(gHooks.wrap)(Ref{std::move(v)});
}

py::object element(quillon::Value const& v, std::size_t i) {
  switch (v.type()) {
    case quillon::Value::Type::Double: return py::float_(v.toDouble(i));
    case quillon::Value::Type::Int32: return py::int_(v.toInt32(i));
    case quillon::Value::Type::Logical: return py::bool_(v.toBool(i));
    case quillon::Value::Type::Object: return wrap(v.element(i));
    case quillon::Value::Type::Char: break;
  }
  throw std::logic_error("character arrays are converted whole");
}

py::object fromHost(quillon::Value const& v) {
  if (v.type() == quillon::Value::Type::Char) {
    std::u16string text = v.toU16String();
    PyObject* s = PyUnicode_DecodeUTF16(reinterpret_cast<char const*>(text.data()),
                                        static_cast<Py_ssize_t>(text.size() * 2), "surrogatepass",
                                        nullptr);
    if (!s) throw py::error_already_set();
    return py::reinterpret_steal<py::object>(s);
  }
  std::size_t const n = v.numel();
  if (n == 0) return py::none();
  if (n == 1) return v.type() == quillon::Value::Type::Object ? wrap(v) : element(v, 0);
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

quillon::Value refArg(py::handle h) {
  if (auto r = refOf(h)) return std::move(*r);
  raiseTypeError("expected a host object, got " + typeName(h));
}

// ---- descriptions ---------------------------------------------------------

py::object optionalOrNone(std::optional<std::string> const& s) {
  return s ? py::object(py::str(*s)) : py::object(py::none());
}

}  // namespace

PYBIND11_MODULE(_quillon, m) {
  m.doc() = "Compiled core of the quillon Python front end (use the quillon package).";

  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (quillon::Error const& e) {
      PyObject* type = gHooks.hostError ? gHooks.hostError : PyExc_RuntimeError;
      std::string_view what = e.what();
      PyObject* text = PyUnicode_DecodeUTF8(what.data(), static_cast<Py_ssize_t>(what.size()), "replace");
      if (!text) return;  // the decoding error is already set
      PyErr_SetObject(type, text);
      Py_DECREF(text);
    }
  });

  m.def(
      "_set_hooks",
      [](py::object wrapFn, py::object objectBase, py::object hostError) {
        // Replacing hooks keeps the old ones alive: wrappers made earlier may
        // still refer to them.
        gHooks.wrap = wrapFn.release().ptr();
        gHooks.objectBase = objectBase.release().ptr();
        gHooks.hostError = hostError.release().ptr();
      },
      py::arg("wrap"), py::arg("object_base"), py::arg("host_error"));

  py::class_<Ref>(m, "Ref", "One reference to a host object.")
      .def_property_readonly("identity", [](Ref const& r) { return r.value.identity(); })
      .def_property_readonly("refcount", [](Ref const& r) { return r.value.objectRefCount(); });

  py::class_<quillon::MethodDesc>(m, "MethodDesc")
      .def_readonly("name", &quillon::MethodDesc::name)
      .def_readonly("kind", &quillon::MethodDesc::kind)
      .def_readonly("attributes", &quillon::MethodDesc::attributes)
      .def_readonly("flags", &quillon::MethodDesc::flags)
      .def_readonly("argument_names", &quillon::MethodDesc::argumentNames)
      .def_readonly("result", &quillon::MethodDesc::result)
      .def_property_readonly("self", [](quillon::MethodDesc const& d) { return optionalOrNone(d.self); })
      .def_readonly("arguments", &quillon::MethodDesc::arguments)
      .def_readonly("description", &quillon::MethodDesc::description)
      .def_readonly("declared_in", &quillon::MethodDesc::declaredIn)
      .def_property_readonly("signature", &quillon::MethodDesc::signatureText);

  py::class_<quillon::PropertyDesc>(m, "PropertyDesc")
      .def_readonly("name", &quillon::PropertyDesc::name)
      .def_readonly("type", &quillon::PropertyDesc::type)
      .def_readonly("multiplicity", &quillon::PropertyDesc::multiplicity)
      .def_readonly("read_only", &quillon::PropertyDesc::readOnly)
      .def_readonly("attributes", &quillon::PropertyDesc::attributes)
      .def_readonly("index", &quillon::PropertyDesc::index)
      .def_readonly("is_static", &quillon::PropertyDesc::isStatic)
      .def_readonly("declared_in", &quillon::PropertyDesc::declaredIn);

  py::class_<quillon::MetaPropertyDesc>(m, "MetaPropertyDesc")
      .def_readonly("name", &quillon::MetaPropertyDesc::name)
      .def_readonly("id", &quillon::MetaPropertyDesc::id)
      .def_readonly("declared_by", &quillon::MetaPropertyDesc::declaredBy);

  py::class_<quillon::ClassDesc>(m, "ClassDesc")
      .def_readonly("name", &quillon::ClassDesc::name)
      .def_readonly("short_name", &quillon::ClassDesc::shortName)
      .def_readonly("description", &quillon::ClassDesc::description)
      .def_readonly("superclasses", &quillon::ClassDesc::superclasses)
      .def_readonly("methods", &quillon::ClassDesc::methods)
      .def_readonly("properties", &quillon::ClassDesc::properties)
      .def_readonly("meta_properties", &quillon::ClassDesc::metaProperties);

  py::class_<quillon::PackageDesc>(m, "PackageDesc")
      .def_readonly("name", &quillon::PackageDesc::name)
      .def_readonly("classes", &quillon::PackageDesc::classes)
      .def_readonly("functions", &quillon::PackageDesc::functions);

  using H = quillon::Host;
  py::class_<H>(m, "Host", "A session on the process-wide host runtime.")
      .def(py::init<>())
      .def("load", &H::load)
      .def("add_module_directory", &H::addModuleDirectory)
      .def("has_class", &H::hasClass)
      .def("has_package", &H::hasPackage)
      .def("describe_package", &H::describePackage)
      .def("describe_class", &H::describeClass)
      .def("methods", &H::methods)
      .def("all_properties", &H::allProperties)
      .def("member_names", &H::memberNames)
      .def("call",
           [](H const& h, std::string_view cls, std::string_view method, py::tuple const& args) {
             return fromHost(h.call(cls, method, argsToHost(args)));
           })
      .def("call_function",
           [](H const& h, std::string_view pkg, std::string_view fn, py::tuple const& args) {
             return fromHost(h.callFunction(pkg, fn, argsToHost(args)));
           })
      .def("construct",
           [](H const& h, std::string_view cls, py::tuple const& args) {
             return fromHost(h.construct(cls, argsToHost(args)));
           })
      .def("invoke",
           [](H const& h, py::handle obj, std::string_view method, py::tuple const& args) {
             quillon::Value self = refArg(obj);
             return fromHost(h.invoke(self, method, argsToHost(args)));
           })
      .def("get",
           [](H const& h, py::handle obj, std::string_view prop) {
             return fromHost(h.get(refArg(obj), prop));
           })
      .def("get_static",
           [](H const& h, std::string_view cls, std::string_view prop) {
             return fromHost(h.getStatic(cls, prop));
           })
      .def("set",
           [](H const& h, py::handle obj, std::string_view prop, py::handle value) {
             quillon::Value self = refArg(obj);
             h.set(self, prop, toHost(value));
           })
      .def("class_of", [](H const& h, py::handle obj) { return h.classOf(refArg(obj)); })
      .def("counters", [](H const& h) {
        py::dict out;
        for (auto const& [name, count] : h.counters()) out[py::str(name)] = count;
        return out;
      });

  m.def(
      "_time_host_get",
      [](py::handle obj, std::string const& prop, std::size_t reads) {
        // The same read as `obj.<prop>`, made `reads` times through the C++
        // host API alone, without Python in the loop: seconds in all.
        quillon::Host const host;
        quillon::Value const self = refArg(obj);
        auto const start = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < reads; ++i) {
          quillon::Value const v = host.get(self, prop);
          if (v.numel() != 1) throw quillon::Error("unexpected result");
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      },
      py::arg("obj"), py::arg("prop"), py::arg("reads"),
      "Benchmark aid: time `reads` reads of a property through the C++ host API.");

  m.def("_roundtrip", [](py::handle v) { return fromHost(toHost(v)); },
        "Convert a Python value to a host value and back (what every call does to its arguments).");
}
