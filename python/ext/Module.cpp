// _quillon: the compiled half of the Python front end. It converts Python
// values to host values and back (Conversions), forwards every call to the
// public host API, and keeps the one wrapper of each live host object
// (Wrapper); host members are descriptors in the Python classes
// (Descriptors). Everything about classes (members, protocols) lives in the
// pure-Python package on top. This file is the module: its types, the host
// descriptions and the session as Python sees them.
//
// The GIL stays held during host calls on purpose: the host runtime serves one
// thread at a time, and the GIL is what serialises Python threads for it.
#include "BenchAid.hpp"
#include "Changes.hpp"
#include "Conversions.hpp"
#include "Descriptors.hpp"
#include "Errors.hpp"
#include "Sequences.hpp"
#include "Session.hpp"
#include "Wrapper.hpp"

#include <quillon/host.hpp>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace py = pybind11;
using namespace quillon::pyext;

namespace {

py::object optionalOrNone(std::optional<std::string_view> const& s) {
  return s ? py::object(py::str(s->data(), s->size())) : py::object(py::none());
}

}  // namespace

PYBIND11_MODULE(_quillon, m) {
  m.doc() = "Compiled core of the quillon Python front end (use the quillon package).";

  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (ConversionError const& e) {
      setConversionError(e);
    } catch (quillon::Error const& e) {
      setHostError(e);
    }
  });

  // The package's classes and caches live as long as the process: importing
  // quillon again after it left sys.modules gives the first package back (this
  // module's state is never re-initialised), so older objects stay usable.
  m.def(
      "_set_hooks",
      [](py::module_ package, py::object classFor, py::object hostError, py::object argumentError) {
        if (gHooks.package) throw std::logic_error("the quillon package is already set up");
        gHooks.classFor = classFor.release().ptr();
        gHooks.hostError = hostError.release().ptr();
        gHooks.argumentError = argumentError.release().ptr();
        gHooks.package = package.release().ptr();
      },
      py::arg("package"), py::arg("class_for"), py::arg("host_error"), py::arg("argument_error"));
  m.def(
      "_package",
      [] { return gHooks.package ? py::reinterpret_borrow<py::object>(gHooks.package) : py::object(py::none()); },
      "The quillon package set up by the first import, or None.");

  PyObject* wrapper = makeWrapperType();
  if (!wrapper) throw py::error_already_set();
  m.add_object("Wrapper", py::reinterpret_borrow<py::object>(wrapper));  // gWrapperType keeps one reference
  PyObject* hostType = makeHostTypeType();
  if (!hostType) throw py::error_already_set();
  m.add_object("HostType", py::reinterpret_steal<py::object>(hostType));
  PyObject* hostProperty = makeHostPropertyType();
  if (!hostProperty) throw py::error_already_set();
  m.add_object("HostProperty", py::reinterpret_steal<py::object>(hostProperty));
  PyObject* hostMethod = makeHostMethodType();
  if (!hostMethod) throw py::error_already_set();
  m.add_object("HostMethod", py::reinterpret_steal<py::object>(hostMethod));

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

  addBenchAid(m);
  addChanges(m);
  addSequences(m);

  m.def(
      "_model_key",
      [](py::handle obj) -> std::uintptr_t { return refArg(obj).objectKey(); },
      py::arg("obj"), "The identity of the object behind a host object: one for every view of a model object.");

  m.def("_roundtrip", [](py::handle v) { return fromHost(toHost(v)); },
        "Convert a Python value to a host value and back (what every call does to its arguments).");
}
