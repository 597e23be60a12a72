// Change events reach Python callbacks as ChangeEvent objects with 0-based
// positions; what a callback raises goes to sys.unraisablehook, and the
// change and the other observers go on. Transactions are context managers:
// an exception inside rolls back, a clean exit commits.
#include "Changes.hpp"

#include "Conversions.hpp"
#include "Session.hpp"

#include <quillon/host.hpp>

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace quillon::pyext {

namespace {

namespace py = pybind11;

struct PyChangeEvent {
  py::str kind;
  py::object element, property, oldValue, newValue, position;
};

// A 1-based host position as a 0-based one.
py::object zeroBased(std::size_t position) {
  return position ? py::object(py::int_(position - 1)) : py::object(py::none());
}

py::str text(std::string_view t) { return py::str(t.data(), t.size()); }

PyChangeEvent eventOf(ChangeEvent const& e) {
  std::string_view const kind = e.kind(), property = e.property();
  Value const oldValue = e.oldValue(), newValue = e.newValue();
  PyChangeEvent p{text(kind), fromHost(e.element()), property.empty() ? py::object(py::none()) : text(property),
                  py::none(), py::none(), zeroBased(e.position())};
  if (kind == "move") {  // the positions the item left and took
    p.oldValue = py::int_(oldValue.toInt32() - 1);
    p.newValue = py::int_(newValue.toInt32() - 1);
  } else {
    p.oldValue = fromHost(oldValue);
    p.newValue = fromHost(newValue);
  }
  return p;
}

class PySubscription {
 public:
  explicit PySubscription(Subscription s) : fSubscription(std::move(s)) {}
  void close() { fSubscription.close(); }
  bool active() const { return fSubscription.isOpen(); }

 private:
  Subscription fSubscription;
};

class PyTransaction {
 public:
  explicit PyTransaction(Value const& model) : fTransaction(std::in_place, session(), model) {}
  Transaction& get() { return *fTransaction; }
  void commit() {
    fTransaction->commit();
    fOpen = false;
  }
  void rollback() {
    fTransaction->rollback();
    fOpen = false;
  }
  // Leaving a `with` block ends a transaction that is still open: committed,
  // or rolled back when an exception leaves the block.
  void exit(bool failed) {
    if (!fOpen) return;
    failed ? rollback() : commit();
  }

 private:
  std::optional<Transaction> fTransaction;
  bool fOpen = true;
};

}  // namespace

void addChanges(py::module_& m) {
  py::class_<PyChangeEvent>(m, "ChangeEvent", "One change of a model, as an observer receives it.")
      .def_readonly("kind", &PyChangeEvent::kind)
      .def_readonly("element", &PyChangeEvent::element)
      .def_readonly("property", &PyChangeEvent::property)
      .def_readonly("old", &PyChangeEvent::oldValue)
      .def_readonly("new", &PyChangeEvent::newValue)
      .def_readonly("position", &PyChangeEvent::position)
      .def("__repr__", [](PyChangeEvent const& e) {
        return py::str("<ChangeEvent {} {!r} {!r} -> {!r} at {}>")
            .format(e.kind, e.property, e.oldValue, e.newValue, e.position);
      });

  py::class_<PySubscription>(m, "Subscription", "An observation of changes; ends when closed.")
      .def("close", &PySubscription::close, "Ends the subscription; closing it again does nothing.")
      .def_property_readonly("active", &PySubscription::active)
      .def("__enter__", [](py::object self) { return self; })
      .def("__exit__", [](PySubscription& s, py::args) {
        s.close();
        return false;
      });

  m.def(
      "observe",
      [](py::handle target, py::object callback) {
        if (!PyCallable_Check(callback.ptr())) throw py::type_error("the callback must be callable");
        Value const t = toHost(target);
        auto call = [cb = std::make_shared<py::object>(std::move(callback))](ChangeEvent const& e) {
          // Under the GIL: the host serves Python with it held.
          try {
            (*cb)(eventOf(e));
          } catch (py::error_already_set& error) {
            error.discard_as_unraisable(*cb);
          }
        };
        return PySubscription(session().observe(t, std::move(call)));
      },
      py::arg("target"), py::arg("callback"),
      "Calls callback(event) after every change of target (an element or a model).");

  py::class_<PyTransaction>(m, "Transaction", "The changes of one model, undone together unless committed.")
      .def("commit", &PyTransaction::commit)
      .def("rollback", &PyTransaction::rollback)
      .def("undo", [](PyTransaction& t) { t.get().undo(); })
      .def("redo", [](PyTransaction& t) { t.get().redo(); })
      .def("__enter__", [](py::object self) { return self; })
      .def("__exit__", [](PyTransaction& t, py::object type, py::object, py::object) {
        t.exit(!type.is_none());
        return false;
      });

  m.def(
      "transaction", [](py::handle model) { return PyTransaction(toHost(model)); }, py::arg("model"),
      "Begins a transaction on model: `with quillon.transaction(model) as t:`.");
}

}  // namespace quillon::pyext
