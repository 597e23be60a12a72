// What bench/bench_python.py measures the front end against.
#pragma once

#include <pybind11/pybind11.h>

namespace quillon::pyext {

// Adds `_time_host_get` to the module.
void addBenchAid(pybind11::module_& m);

}  // namespace quillon::pyext
