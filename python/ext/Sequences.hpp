// Host sequences walked, searched and taken from in one host call each: the
// compiled half of the sequence protocol of quillon/_sequences.py.
#pragma once

#include <pybind11/pybind11.h>

namespace quillon::pyext {

void addSequences(pybind11::module_& m);

}  // namespace quillon::pyext
