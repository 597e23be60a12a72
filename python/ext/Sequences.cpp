#include "Sequences.hpp"

#include "Conversions.hpp"
#include "Errors.hpp"
#include "Session.hpp"

#include <quillon/host.hpp>

#include <pybind11/stl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

namespace quillon::pyext {
namespace {

// ---- the walk ----------------------------------------------------------------
//
// `for x in seq` steps a Sequence::Iterator: items come from the host in
// batches and are made Python objects one by one, here. Nothing is read
// before the first step; the size is read again on reaching the end read so
// far (what was appended is walked too), and a sequence that shrank under
// the walk stops it with the host's bounds error. An error or the end
// finishes the walk for good, as it finishes a generator.

struct WalkState {
  explicit WalkState(quillon::Sequence s) : sequence(std::move(s)) {}
  quillon::Sequence sequence;
  std::optional<quillon::Sequence::Iterator> at;
  bool done = false;
};

struct Walk {
  PyObject_HEAD
  WalkState* state;
};

PyObject* walkNext(PyObject* self) {
  WalkState* const s = reinterpret_cast<Walk*>(self)->state;
  if (s->done) return nullptr;
  PyObject* const item = pythonSlot<PyObject*>(nullptr, [&]() -> PyObject* {
    if (!s->at)
      s->at.emplace(s->sequence.begin());
    else
      ++*s->at;
    if (*s->at == quillon::Sequence::Sentinel{}) return nullptr;
    return fromHost(**s->at).release().ptr();
  });
  if (!item) {
    s->done = true;
    s->at.reset();
  }
  return item;
}

void walkDealloc(PyObject* self) {
  PyTypeObject* const type = Py_TYPE(self);
  delete reinterpret_cast<Walk*>(self)->state;
  type->tp_free(self);
  Py_DECREF(type);
}

PyType_Slot walkSlots[] = {{Py_tp_dealloc, reinterpret_cast<void*>(&walkDealloc)},
                           {Py_tp_iter, reinterpret_cast<void*>(&PyObject_SelfIter)},
                           {Py_tp_iternext, reinterpret_cast<void*>(&walkNext)},
                           {0, nullptr}};

PyType_Spec walkSpec = {"quillon._quillon.SequenceWalk", sizeof(Walk), 0, Py_TPFLAGS_DEFAULT, walkSlots};

PyTypeObject* gWalkType = nullptr;

py::object walk(py::handle seq) {
  auto state = std::make_unique<WalkState>(session().sequence(refArg(seq)));
  PyObject* const w = PyType_GenericAlloc(gWalkType, 0);
  if (!w) throw py::error_already_set();
  reinterpret_cast<Walk*>(w)->state = state.release();
  return py::reinterpret_steal<py::object>(w);
}

// ---- searches ------------------------------------------------------------------

// The host form of a value searched for, or nothing for a Python value that
// has none (then only Python's own comparison can tell).
std::optional<quillon::Value> searched(py::handle value) {
  try {
    return toHost(value);
  } catch (ConversionError const&) {
    return std::nullopt;
  }
}

// A Python index (negative from the end) clamped to [0, n], as slices do.
std::size_t clamped(std::ptrdiff_t i, std::size_t n) {
  auto const size = static_cast<std::ptrdiff_t>(n);
  if (i < 0) i = std::max<std::ptrdiff_t>(i + size, 0);
  return static_cast<std::size_t>(std::min(i, size));
}

// The position of the first item equal to `value` in seq[start:stop], -1
// for none, None when the host cannot compare (a value of another type, a
// sequence it cannot search).
py::object find(py::handle seq, py::handle value, std::ptrdiff_t start, std::optional<std::ptrdiff_t> stop) {
  std::optional<quillon::Value> const v = searched(value);
  if (!v) return py::none();
  quillon::Sequence const s = session().sequence(refArg(seq));
  std::size_t from = static_cast<std::size_t>(std::max<std::ptrdiff_t>(start, 0));
  std::size_t to = quillon::Sequence::npos;
  if (start < 0 || (stop && *stop < 0)) {
    std::size_t const n = s.size();
    from = clamped(start, n);
    if (stop) to = clamped(*stop, n);
  } else if (stop) {
    to = static_cast<std::size_t>(*stop);
  }
  bool comparable = false;
  std::optional<std::size_t> const at = s.find(*v, from, to, &comparable);
  if (!comparable) return py::none();
  return py::int_(at ? static_cast<std::ptrdiff_t>(*at) : -1);
}

py::object count(py::handle seq, py::handle value) {
  std::optional<quillon::Value> const v = searched(value);
  if (!v) return py::none();
  bool comparable = false;
  std::size_t const n = session().sequence(refArg(seq)).count(*v, &comparable);
  return comparable ? py::object(py::int_(n)) : py::object(py::none());
}

// ---- take ----------------------------------------------------------------------

// seq.pop(index) (`give_back`: the item taken comes back) or del seq[index]:
// Python's index, checked here with Python's errors, then one host call.
py::object take(py::handle seq, py::handle index, bool giveBack) {
  quillon::Value const ref = refArg(seq);
  quillon::Sequence const s = session().sequence(ref);
  auto const n = static_cast<Py_ssize_t>(s.size());
  if (giveBack && n == 0) throw py::index_error("pop from empty sequence");
  // Not an integer: TypeError; one beyond any size is clipped, then refused.
  Py_ssize_t i = PyNumber_AsSsize_t(index.ptr(), nullptr);
  if (i == -1 && PyErr_Occurred()) throw py::error_already_set();
  if (i < 0) i += n;
  if (i < 0 || i >= n) throw py::index_error("sequence index out of range");
  if (giveBack) return fromHost(s.take(static_cast<std::size_t>(i)));
  session().invoke(ref, "erase", {quillon::Value::int32(static_cast<std::int32_t>(i + 1))});
  return py::none();
}

}  // namespace

void addSequences(py::module_& m) {
  PyObject* const type = PyType_FromSpec(&walkSpec);
  if (!type) throw py::error_already_set();
  gWalkType = reinterpret_cast<PyTypeObject*>(type);  // the module keeps it alive
  m.add_object("SequenceWalk", py::reinterpret_borrow<py::object>(type));
  m.def("_sequence_walk", &walk, py::arg("seq"), "An iterator over a host sequence's items, read in batches.");
  m.def("_sequence_find", &find, py::arg("seq"), py::arg("value"), py::arg("start") = 0,
        py::arg("stop") = py::none(),
        "First position of value in seq[start:stop] found by the host; -1 for none, None when it cannot compare.");
  m.def("_sequence_count", &count, py::arg("seq"), py::arg("value"),
        "How many items equal value, counted by the host; None when it cannot compare.");
  m.def("_sequence_take", &take, py::arg("seq"), py::arg("index"), py::arg("give_back"),
        "Removes item index (a Python index) in one host call; returns it when give_back.");
}

}  // namespace quillon::pyext
