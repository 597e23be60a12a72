// The floor of the Python benchmarks: a plain C++ struct bound with
// pybind11's own property and method, and nothing else.
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <stdexcept>

namespace py = pybind11;

namespace {

struct Plain {
  int Dimensions = 3;
  std::array<int, 3> exponents{1, 0, 0};

  // The same work as a host list's replace: a checked 1-based position.
  void replace(int position, int value) {
    if (position < 1 || static_cast<std::size_t>(position) > exponents.size())
      throw std::out_of_range("sequence index out of bounds");
    exponents[static_cast<std::size_t>(position - 1)] = value;
  }
};

}  // namespace

PYBIND11_MODULE(_baseline, m) {
  py::class_<Plain>(m, "Plain")
      .def(py::init<>())
      .def_readwrite("Dimensions", &Plain::Dimensions)
      .def("replace", &Plain::replace);
}
